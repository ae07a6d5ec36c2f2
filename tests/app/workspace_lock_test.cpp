#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

#include "app/workspace_lock.h"

namespace sp {
namespace {

TEST(WorkspaceClaim, ASecondEditorWorksInAFolderOfItsOwnWithTheSameSettings) {
    QTemporaryDir temp;
    const std::filesystem::path user = temp.path().toStdString() + "/Sparkplume";
    auto first = std::make_unique<WorkspaceClaim>(user);
    EXPECT_FALSE(first->isPrivate());
    EXPECT_EQ(first->workspace(), user);

    const WorkspaceClaim second(user);
    EXPECT_TRUE(second.isPrivate());
    EXPECT_NE(second.workspace(), user);
    EXPECT_EQ(second.setupFile(), user / "setup.ini");

    // Once the first editor has gone, the folder is free again.
    first.reset();
    const WorkspaceClaim third(user);
    EXPECT_FALSE(third.isPrivate());
}

}  // namespace
}  // namespace sp

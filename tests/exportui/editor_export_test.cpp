// Exports run from the editor's window through its dialogs, with a script in the
// user's place, and compared byte for byte with what the command line makes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "app/commands.h"
#include "app/dialogs/export_options_dialog.h"
#include "app/dialogs/integer_field.h"
#include "app/dialogs/sheet_layout_dialog.h"
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "app/widget_prompts.h"
#include "cli/export_command.h"
#include "document/app_context.h"

namespace sp {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramDir = SPARKPLUME_PROGRAM_DIR;
const fs::path kSamples = SPARKPLUME_SAMPLES_DIR;

// Plays the user's part: every modal dialog that comes up is handed to the
// script once, while the code under test waits in it.
class ModalScript {
  public:
    using Act = std::function<void(QWidget&)>;
    explicit ModalScript(Act act) : m_act(std::move(act)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start(5);
    }

  private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        for (const QPointer<QWidget>& seen : m_seen)
            if (seen == modal) return;
        m_seen.emplace_back(modal);
        m_act(*modal);
    }

    QTimer m_timer;
    Act m_act;
    std::vector<QPointer<QWidget>> m_seen;
};

// The save dialog answered with a path; messages kept.
class EditorPrompts : public Prompts {
  public:
    std::vector<std::pair<std::string, std::string>> messages;  // text, caption
    std::vector<FileDialogRequest> requests;
    std::string exportTo;

    void showMessage(std::string_view text, std::string_view caption) override {
        messages.emplace_back(text, caption);
    }
    std::optional<std::string> chooseExportResult(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (exportTo.empty()) return std::nullopt;
        return exportTo;
    }
};

struct Options {
    int start, end, step, layout, type;
    bool transparent = true;
};

void choose(ExportOptionsDialog& dialog, const Options& o) {
    dialog.startField()->setValue(o.start);
    dialog.endField()->setValue(o.end);
    dialog.stepField()->setValue(o.step);
    dialog.layoutList()->setCurrentIndex(o.layout);
    dialog.typeList()->setCurrentIndex(o.type);
    dialog.transparentBox()->setChecked(o.transparent);
    dialog.exportButton()->click();
}

// Every file of a folder by name, with its bytes.
std::map<std::string, std::string> contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().filename().string()] = bytes.str();
    }
    return files;
}

std::vector<std::string> names(const std::map<std::string, std::string>& files) {
    std::vector<std::string> result;
    for (const auto& [name, bytes] : files) result.push_back(name);
    return result;
}

class EditorExportTest : public ::testing::Test {
  protected:
    EditorExportTest()
        : context(prompts, {root / "ws", kProgramDir, true, {}}), window(context, prompts) {
        context.document().enableGraphics();
        EXPECT_TRUE(context.start());
        window.resize(1200, 800);
        window.show();
        fs::create_directories(root / "editor");
        fs::create_directories(root / "cli");
    }

    void open(const char* sample) { ASSERT_TRUE(context.files().openByPath(kSamples / sample)); }

    // The export command, with `act` answering the dialogs it opens.
    void exportThroughDialogs(const ModalScript::Act& act) {
        const ModalScript script(act);
        window.runCommand(kCommandExport);
    }

    // The command line's export of the open sample into cli/.
    void exportOnCommandLine(const char* sample, const char* result,
                             std::vector<std::string> options) {
        std::vector<std::string> args = {(kSamples / sample).string(), "--out",
                                         (root / "cli" / result).string()};
        args.insert(args.end(), options.begin(), options.end());
        std::ostringstream out, err;
        ASSERT_EQ(cli::runExportCommand(args, SimulationLimits{}, kProgramDir, out, err), 0)
            << err.str();
    }

    void expectSameFiles() {
        const auto editor = contents(root / "editor");
        const auto cli = contents(root / "cli");
        EXPECT_EQ(names(editor), names(cli));
        EXPECT_TRUE(editor == cli) << "the files differ in their bytes";
    }

    // Numbered frames left in the work folder's RENDER.
    int framesLeft() const {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(root / "ws" / "RENDER"))
            if (std::regex_match(entry.path().filename().string(), std::regex(R"(\d{4}\..*)"))) ++n;
        return n;
    }

    QTemporaryDir temp;
    fs::path root = temp.path().toStdString();
    EditorPrompts prompts;
    AppContext context;
    MainWindow window;
};

TEST_F(EditorExportTest, ASheetMadeThroughTheDialogsIsTheCommandLinesAndTheDivisionStays) {
    open("burst.spd");
    prompts.exportTo = (root / "editor" / "fx.png").string();
    QString divisionAtOpening;
    SheetLayout::RenderIniValues chosen;
    exportThroughDialogs([&](QWidget& modal) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&modal)) {
            choose(*options, {1, 30, 3, kLayoutSheet, kFilePng});
        } else if (auto* sheet = qobject_cast<SheetLayoutDialog*>(&modal)) {
            divisionAtOpening = sheet->divisionField()->text();
            sheet->divisionField()->setText("2");  // 5 frames a sheet, 3 columns
            sheet->slider()->triggerAction(QAbstractSlider::SliderPageStepSub);
            chosen = sheet->layout().renderIniValues();
            sheet->okButton()->click();
        }
    });
    EXPECT_EQ(divisionAtOpening, "3");
    ASSERT_EQ(chosen, (SheetLayout::RenderIniValues{2, 3, 2}));
    ASSERT_EQ(prompts.requests.size(), 1u);
    EXPECT_EQ(prompts.requests[0].defaultExtension, "png");
    EXPECT_EQ(prompts.requests[0].filters,
              (std::vector<std::pair<std::string, std::string>>{{"PNG(*.png)", "*.png"}}));
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_EQ(prompts.messages.back().first,
              "書き出しが完了しました。\n\n保存先：" + (root / "editor").string() +
                  "（4個のファイル）\n\nfx_0.png\nfx_0.json\nfx_1.png\nfx_1.json"
                  "\n\nシートの大きさ：512×768 pixel × 2");

    exportOnCommandLine(
        "burst.spd", "fx.png",
        {"--start", "1", "--end", "30", "--step", "3", "--division", "2", "--columns", "2"});
    expectSameFiles();
    EXPECT_EQ(framesLeft(), 0);

    // The next export opens where the last one saved, with the division it left;
    // cancelling the sheet makes nothing and says nothing.
    prompts.exportTo = (root / "second.png").string();
    const std::size_t messages = prompts.messages.size();
    exportThroughDialogs([&](QWidget& modal) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&modal)) {
            choose(*options, {1, 4, 1, kLayoutSheet, kFilePng});
        } else if (auto* sheet = qobject_cast<SheetLayoutDialog*>(&modal)) {
            divisionAtOpening = sheet->divisionField()->text();
            sheet->reject();
        }
    });
    ASSERT_EQ(prompts.requests.size(), 2u);
    EXPECT_EQ(prompts.requests[1].initialFolder, (root / "editor").string());
    EXPECT_EQ(divisionAtOpening, "2");
    EXPECT_EQ(prompts.messages.size(), messages);
    EXPECT_FALSE(fs::exists(root / "second.png"));
    EXPECT_EQ(framesLeft(), 0);
}

TEST_F(EditorExportTest, NumberedFilesAndAMovieAreTheCommandLines) {
    open("sparks.spd");
    prompts.exportTo = (root / "editor" / "f.bmp").string();
    exportThroughDialogs([&](QWidget& modal) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&modal))
            choose(*options, {2, 30, 2, kLayoutFiles, kFileBmp, false});
    });
    EXPECT_EQ(prompts.requests.back().filters.front().first, "BMP(*.bmp)");
    exportOnCommandLine(
        "sparks.spd", "f.bmp",
        {"--layout", "files", "--type", "bmp", "--start", "2", "--step", "2", "--opaque"});
    EXPECT_EQ(contents(root / "editor").size(), 14u);  // frames 3, 5, … 29
    expectSameFiles();

    fs::remove_all(root / "editor");
    fs::remove_all(root / "cli");
    fs::create_directories(root / "editor");
    fs::create_directories(root / "cli");
    open("converge.spd");
    prompts.exportTo = (root / "editor" / "m.avi").string();
    exportThroughDialogs([&](QWidget& modal) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&modal))
            choose(*options, {1, 30, 1, kLayoutMovie, kFilePng});
    });
    EXPECT_EQ(prompts.requests.back().filters.front().first, "AVI(*.avi)");
    EXPECT_EQ(prompts.requests.back().defaultExtension, "avi");
    exportOnCommandLine("converge.spd", "m.avi", {"--layout", "movie"});
    EXPECT_EQ(names(contents(root / "editor")), std::vector<std::string>{"m.avi"});
    expectSameFiles();
}

TEST_F(EditorExportTest, AnAbortedRunStopsCleanlyWhileNothingElseCanStartAndThePreviewWaits) {
    open("burst.spd");
    FrameLoop& loop = window.frameLoop();
    int drawnDuringRun = 0, drawnAfter = 0;
    // Frames drawn while the progress dialog is up, and after the run.
    QObject::connect(&loop, &FrameLoop::frameDrawn, [&] {
        ++(qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()) ? drawnDuringRun
                                                                             : drawnAfter);
    });
    loop.start();

    prompts.exportTo = (root / "editor" / "fx.png").string();
    const int32_t seed = context.document().state().randomSeed;
    int optionDialogs = 0;
    bool firstRunOver = false;
    int32_t suspended = 0;
    exportThroughDialogs([&](QWidget& modal) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&modal)) {
            ++optionDialogs;
            choose(*options, {1, 30, 1, kLayoutSheet, kFilePng});
        } else if (auto* progress = qobject_cast<QProgressDialog*>(&modal)) {
            EXPECT_EQ(progress->windowTitle(), "レンダリング中");
            // A second export and an edit, by key and by command, change nothing. (Should
            // a second options dialog open all the same, it is counted and closed.)
            QTimer::singleShot(100, [&] {
                auto* second =
                    qobject_cast<ExportOptionsDialog*>(QApplication::activeModalWidget());
                if (second && !firstRunOver) {
                    ++optionDialogs;
                    second->reject();
                }
            });
            QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier);
            window.action(kCommandExport)->trigger();
            window.runCommand(kCommandReseed);
            EXPECT_EQ(QApplication::activeModalWidget(), progress);
            auto* abort = progress->findChild<QPushButton*>();
            ASSERT_NE(abort, nullptr);
            EXPECT_EQ(abort->text(), "中断");
            // Abort once a few frames are written.
            QObject::connect(progress->findChild<QProgressBar*>(), &QProgressBar::valueChanged,
                             abort, [&, abort](int value) {
                                 suspended = context.document().state().frameLoopSuspended;
                                 if (value == 3) QTimer::singleShot(0, abort, &QPushButton::click);
                             });
        }
    });
    firstRunOver = true;
    EXPECT_EQ(optionDialogs, 1);
    EXPECT_EQ(suspended, 1);
    EXPECT_EQ(drawnDuringRun, 0);
    EXPECT_EQ(context.document().state().randomSeed, seed);
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_EQ(prompts.messages.back().first,
              "書き出しを中断しました。ファイルは作られていません。");
    EXPECT_TRUE(fs::is_empty(root / "editor"));
    EXPECT_EQ(framesLeft(), 0);
    EXPECT_EQ(context.document().state().frameLoopSuspended, 0);

    // The preview plays on, and the next export runs to its end.
    drawnAfter = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] { return drawnAfter >= 3; }, 3000));
    exportThroughDialogs([&](QWidget& modal) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&modal))
            choose(*options, {1, 2, 1, kLayoutFiles, kFilePng});
    });
    EXPECT_EQ(names(contents(root / "editor")),
              (std::vector<std::string>{"fx0000.png", "fx0001.png"}));
    EXPECT_EQ(prompts.messages.back().second, "書き出し");
}

TEST(ExportSaveDialogTest, HasTheTypesFilterAndAsksBeforeAFileIsReplaced) {
    QTemporaryDir temp;
    const QString existing = temp.filePath(QStringLiteral("fx.png"));
    std::ofstream(existing.toStdString()) << "an earlier export";
    FileDialogRequest request;
    request.initialFolder = temp.path().toStdString();
    request.defaultExtension = "png";
    request.filters = {{"PNG(*.png)", "*.png"}};

    int dialogs = 0, questions = 0;
    const ModalScript script([&](QWidget& modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(&modal)) {
            ++dialogs;
            EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("PNG(*.png)")});
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            if (dialogs == 1)
                dialog->selectFile(QStringLiteral("fx"));  // the type's extension follows
            QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog*>(dialog)->accept(); });
        } else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            ++questions;
            EXPECT_EQ(box->text(), "「fx.png」は既に存在します。\n上書きしますか？");
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            // No returns to the dialog at the same name; Yes takes it.
            QTimer::singleShot(0, box->button(questions == 1 ? QMessageBox::No : QMessageBox::Yes),
                               &QPushButton::click);
        }
    });
    WidgetPrompts prompts;
    const std::optional<std::string> chosen = prompts.chooseExportResult(request);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(questions, 2);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fs::path(*chosen), fs::path(existing.toStdString()));
}

}  // namespace
}  // namespace sp

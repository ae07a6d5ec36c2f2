#include "app/editor_main.h"

#include <QApplication>

namespace sp {

int runEditor(int argc, char** argv, const std::string&) {
    QApplication app(argc, argv);
    return 0;
}

}  // namespace sp

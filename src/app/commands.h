#pragma once

#include <QKeySequence>
#include <QList>

#include <vector>

namespace sp {

// The main window's commands, by the numbers the menu, the toolbar and the
// accelerators share.
enum CommandId : int {
    kCommandNew = 40007,
    kCommandOpen = 40008,
    kCommandSaveAs = 40009,
    kCommandSave = 40010,
    kCommandExport = 40011,
    kCommandQuit = 40012,
    kCommandHelp = 40014,
    kCommandSize = 40015,
    kCommandAbout = 40016,
    kCommandReseed = 40017,
    kCommandEmission = 40019,
    kCommandBackgroundColour = 40021,
    kCommandAnimation = 40023,
    kCommandBackgroundImage = 40035,
    kCommandZoomIn = 40036,
    kCommandZoomOut = 40037,
    kCommandUndo = 1,  // our own, beside the numbered ones
    kCommandRedo = 2,
};

struct Command {
    int id;
    const char* menuText;      // as the menu shows it, with its mnemonic; empty when in no menu
    QList<QKeySequence> keys;  // the accelerators
    const char* help;          // the toolbar button's help text; empty for none
    int toolbarIndex;          // position in the toolbar, −1 for none
};

// Every command, the menu's in menu order.
const std::vector<Command>& commands();
const Command* findCommand(int id);

}  // namespace sp

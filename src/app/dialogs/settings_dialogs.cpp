#include "app/dialogs/settings_dialogs.h"

#include "document/document.h"

// Placeholders until the dialogs are built.
namespace sp {

void runAnimationDialog(Document&, QWidget*) {}
void runEmissionDialog(Document&, QWidget*) {}
void runSizeDialog(Document&, QWidget*) {}
void runBackgroundImageDialog(Document&, Prompts&, QWidget*) {}
void runAboutBox(QWidget*) {}

}  // namespace sp

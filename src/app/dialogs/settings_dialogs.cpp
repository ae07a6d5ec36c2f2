#include "app/dialogs/settings_dialogs.h"

#include "app/dialogs/about_box.h"
#include "app/dialogs/animation_dialog.h"
#include "app/dialogs/background_image_dialog.h"
#include "app/dialogs/emission_dialog.h"
#include "app/dialogs/size_dialog.h"
#include "document/document.h"

namespace sp {

void runAnimationDialog(Document& document, QWidget* parent) {
    AnimationDialog dialog(document, parent);
    dialog.exec();
}

void runEmissionDialog(Document& document, QWidget* parent) {
    EmissionDialog dialog(document, parent);
    dialog.exec();
}

void runSizeDialog(Document& document, QWidget* parent) {
    SizeDialog dialog(document, parent);
    dialog.exec();
}

void runBackgroundImageDialog(Document& document, Prompts& prompts, QWidget* parent) {
    BackgroundImageDialog dialog(document, prompts, parent);
    dialog.exec();
}

void runAboutBox(QWidget* parent) {
    AboutBox box(parent);
    box.exec();
}

}  // namespace sp

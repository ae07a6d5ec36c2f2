#pragma once

#include <QtGlobal>

#include <QString>

#include <cstdint>
#include "document/ui_language.h"

class QBoxLayout;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace sp {

// Pieces the settings dialogs share, so that they look alike.

inline constexpr const char* kCancelText = QT_TRANSLATE_NOOP("Sparkplume", "キャンセル");

// OK and キャンセル, wired to the dialog's accept and reject.
QDialogButtonBox* okCancelButtons(QDialog& dialog);

// A number shown as "%d", right-aligned so that the rows of a group line up.
QLabel* numberLabel(int32_t value, QWidget* parent);

// A number field of a settings dialog, showing `value`.
QLineEdit* numberEdit(int32_t value, QWidget* parent);

// The width the number fields share: room for about ten digits.
int numberFieldWidth(const QWidget& widget);

// Keeps a dialog of fixed size wide enough for its title beside the buttons of
// a window frame.
void fitTitle(QDialog& dialog, QBoxLayout& layout);

inline QString uiText(const char* text) {
    return trText(text);
}

}  // namespace sp

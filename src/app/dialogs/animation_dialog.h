#pragma once

#include <QDialog>

#include "app/dialogs/settings_rules.h"

class QLabel;
class QLineEdit;

namespace sp {

class Document;

// The loop length and the preview rate, with the time the loop takes shown as
// they are typed. OK hands both to the document.
class AnimationDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AnimationDialog(Document& document, QWidget* parent = nullptr);

    QLineEdit* framesEdit() const { return m_frames; }
    QLineEdit* rateEdit() const { return m_rate; }
    QLabel* durationLabel() const { return m_duration; }
    const AnimationSettings& settings() const { return m_settings; }

    void accept() override;

  private:
    void fieldsEdited();

    Document& m_document;
    AnimationSettings m_settings;
    QLineEdit* m_frames = nullptr;
    QLineEdit* m_rate = nullptr;
    QLabel* m_duration = nullptr;
};

}  // namespace sp

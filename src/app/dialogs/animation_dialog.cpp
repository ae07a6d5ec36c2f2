#include "app/dialogs/animation_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/dialog_parts.h"
#include "document/document.h"

namespace sp {
namespace {

// One group: the field, then its unit.
QGroupBox* unitGroup(const char* title, QWidget* field, const char* unit, QWidget* parent) {
    auto* group = new QGroupBox(uiText(title), parent);
    auto* row = new QHBoxLayout(group);
    row->addWidget(field);
    row->addWidget(new QLabel(uiText(unit), group));
    row->addStretch(1);
    return group;
}

}  // namespace

AnimationDialog::AnimationDialog(Document& document, QWidget* parent)
    : QDialog(parent),
      m_document(document),
      m_settings(document.state().frameCount, document.state().previewFps) {
    setWindowTitle(uiText(QT_TRANSLATE_NOOP("Sparkplume", "アニメーションの設定")));

    m_frames = numberEdit(m_settings.frames(), this);
    m_frames->setObjectName(QStringLiteral("frames"));
    m_rate = numberEdit(document.state().previewFps, this);
    m_rate->setObjectName(QStringLiteral("rate"));
    m_duration = new QLabel(QString::fromStdString(m_settings.durationText()), this);
    m_duration->setObjectName(QStringLiteral("duration"));
    m_duration->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_duration->setFixedWidth(numberFieldWidth(*this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(unitGroup(QT_TRANSLATE_NOOP("Sparkplume", "フレーム数"), m_frames,
                                QT_TRANSLATE_NOOP("Sparkplume", "フレーム"), this));
    layout->addWidget(unitGroup(QT_TRANSLATE_NOOP("Sparkplume", "プレビュー速度"), m_rate,
                                QT_TRANSLATE_NOOP("Sparkplume", "ＦＰＳ"), this));
    layout->addWidget(unitGroup(QT_TRANSLATE_NOOP("Sparkplume", "アニメーションにかかる時間"),
                                m_duration, QT_TRANSLATE_NOOP("Sparkplume", "秒"), this));
    fitTitle(*this, *layout);
    layout->addWidget(okCancelButtons(*this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Connected only now: filling the fields is not an edit.
    connect(m_frames, &QLineEdit::textChanged, this, &AnimationDialog::fieldsEdited);
    connect(m_rate, &QLineEdit::textChanged, this, &AnimationDialog::fieldsEdited);
}

void AnimationDialog::fieldsEdited() {
    m_settings.edit(m_frames->text().toStdString(), m_rate->text().toStdString());
    m_duration->setText(QString::fromStdString(m_settings.durationText()));
}

void AnimationDialog::accept() {
    m_document.setAnimation(m_settings.frames(), m_settings.rate());
    QDialog::accept();
}

}  // namespace sp

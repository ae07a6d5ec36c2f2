#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

#include <string_view>

#include "document/ui_language.h"
#include "resources/look.h"

namespace sp {

// The program's own texts, in the chosen language.
inline QString uiText(std::string_view text) {
    return trText(text);
}

// The help texts of the editor's windows and controls. A widget without a text
// of its own shows its parent's; a text set to "" shows nothing, whatever the
// parents have.
void setHelpText(QWidget& widget, const QString& text);

// A widget whose help depends on where the mouse is over it.
class HelpTextSource {
  public:
    virtual ~HelpTextSource() = default;
    // The text for the mouse at `local`; empty for none.
    virtual QString helpTextAt(const QPoint& local) const = 0;
};

// The text the help bar shows for the mouse at `global` over `widget`.
QString helpTextFor(const QWidget* widget, const QPoint& global);

// The strip along the bottom of the window with the help for the item under
// the mouse. It follows the mouse over every widget of its own window, and
// repaints whenever its text changes.
class HelpBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kTextPixelSize = 20;

    explicit HelpBar(QWidget* parent = nullptr);
    ~HelpBar() override;

    QString text() const { return m_text; }
    void setText(const QString& text);
    // Shows the text for the mouse at `global` over `widget`.
    void showHelpFor(const QWidget* widget, const QPoint& global);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString m_text;
    CachedArtwork m_strip;
};

}  // namespace sp

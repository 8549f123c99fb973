#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace vardane {

// Explanatory balloons over the controls of the option pages: a small
// window titled "Annotation" with the information icon and the control's
// text. It appears after the pointer has rested on a control for two
// seconds (one second when another balloon was up a moment ago), goes away
// after ten seconds or when the pointer leaves, and is shown even while the
// dialog is not the active window.
class AnnotationTip : public QObject {
    Q_OBJECT
public:
    static constexpr int kInitialDelayMs = 2000;
    static constexpr int kReshowDelayMs = 1000;
    static constexpr int kAutoPopDelayMs = 10000;

    explicit AnnotationTip(QObject* parent = nullptr);
    ~AnnotationTip() override;

    // Gives the control its text (also its tool-tip text for screen readers)
    // and shows it in the balloon from now on.
    void attach(QWidget* control, const QString& text);

    // The balloon while it is shown, else nullptr.
    QWidget* balloon() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show_balloon();
    void hide_balloon();

    QTimer showTimer_;
    QTimer hideTimer_;
    QElapsedTimer sinceHidden_;
    QPointer<QWidget> target_;
    QWidget* balloon_ = nullptr;
};

} // namespace vardane

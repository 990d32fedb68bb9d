#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QToolButton;

namespace traxilo {

// The status bar's part of an assisted tracking: what the user is to do
// next, how far the run has gone, and "Arrêter". Hidden otherwise.
class TrackingProgress : public QWidget {
    Q_OBJECT
public:
    explicit TrackingProgress(QWidget* parent = nullptr);

    void showPrompt(const QString& text); // the bar stays as it is
    void hideBar();                       // before a run starts
    void showRange(int frames);           // frames the run has to go through
    void showDone(int frames);            // of those

signals:
    void stopClicked();

private:
    QLabel* m_prompt = nullptr;
    QProgressBar* m_bar = nullptr;
    QToolButton* m_stop = nullptr;
};

} // namespace traxilo

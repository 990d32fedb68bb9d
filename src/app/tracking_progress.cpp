#include "app/tracking_progress.h"

#include "app/hint_tracker.h"
#include "app/widget_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <algorithm>

namespace traxilo {

TrackingProgress::TrackingProgress(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlSuivi"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(6);
    m_prompt = named(new QLabel(this), "lblSuivi");
    m_bar = named(new QProgressBar(this), "pbSuivi");
    m_bar->setFixedWidth(160);
    m_bar->setTextVisible(true);
    m_bar->setFormat(QStringLiteral("%v / %m"));
    m_bar->hide();
    m_stop = named(new QToolButton(this), "btnArreterSuivi");
    m_stop->setText(QStringLiteral("Arrêter"));
    m_stop->setFocusPolicy(Qt::NoFocus);
    HintTracker::setHint(m_stop, QStringLiteral("Arrêter le suivi (Échap)|Arrêter le suivi : "
                                                "les points déjà suivis restent"));
    row->addWidget(m_prompt, 1);
    row->addWidget(m_bar);
    row->addWidget(m_stop);
    connect(m_stop, &QToolButton::clicked, this, &TrackingProgress::stopClicked);
}

void TrackingProgress::showPrompt(const QString& text) {
    m_prompt->setText(text);
}

void TrackingProgress::hideBar() {
    m_bar->hide();
}

void TrackingProgress::showRange(int frames) {
    m_bar->setRange(0, std::max(1, frames));
    m_bar->setValue(0);
    m_bar->show();
}

void TrackingProgress::showDone(int frames) {
    m_bar->setValue(std::clamp(frames, m_bar->minimum(), m_bar->maximum()));
}

} // namespace traxilo

#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace traxilo {

// Two-part hints, "short|long": the short part is the tooltip, the long part
// goes to the status bar. Widgets and actions keep the whole hint as their
// status tip, so the status tip events Qt sends on hover carry it; this
// filter, installed on the application, turns them into hint changes and
// decides whether tooltips show at all.
class HintTracker : public QObject {
    Q_OBJECT
public:
    explicit HintTracker(QObject* parent = nullptr);
    ~HintTracker() override;

    static QString shortHint(const QString& hint); // before the bar, or all of it
    static QString longHint(const QString& hint);  // after the bar, or all of it
    static void setHint(QWidget* widget, const QString& hint);
    static void setHint(QAction* action, const QString& hint);
    static QString hint(const QWidget* widget);

    void install();
    QString currentHint() const { return m_current; }
    // A new current hint; hintChanged is emitted only when it differs.
    void showHint(const QString& hint);

    bool tooltipsEnabled() const { return m_tooltips; }
    void setTooltipsEnabled(bool enabled);
    void setHidePause(int ms) { m_hidePause = ms; }
    int hidePause() const { return m_hidePause; }

signals:
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_current;
    bool m_tooltips = true;
    int m_hidePause = 4000;
};

} // namespace traxilo

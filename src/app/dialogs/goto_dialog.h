#pragma once

#include "pointing/point_search.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace traxilo {

// "Aller à l'image...": the points found under the last right click on the
// clip, by frame number, time and point number. Choosing a line, or Delete,
// is announced to the window, which acts on the tables and the clip; the
// dialog stays open.
class TalleraDlg : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Aller à l'image...");

    explicit TalleraDlg(QWidget* parent = nullptr);

    // The list is rebuilt by each right click on the clip, and only then.
    void setMatches(const std::vector<PointMatch>& matches);
    const std::vector<PointMatch>& matches() const { return m_matches; }

    void stringGridAllerClick();
    void stringGridAllerKeyUp(int key);

    QTableWidget* stringGridAller = nullptr;
    QPushButton* fermerBtn = nullptr;
    QLabel* Label1 = nullptr;

signals:
    void lineChosen(int row, int point); // a table row and a point number
    void deletePressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<PointMatch> m_matches;
};

} // namespace traxilo

#include "app/title_room.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QSpacerItem>

namespace traxilo {

namespace {

// Beside the text, a title bar holds the icon and the window's buttons.
constexpr int kTitleBarExtra = 110;

class TitleRoom : public QObject {
public:
    TitleRoom(QDialog* dialog, QBoxLayout* layout) : QObject(dialog), m_layout(layout) {
        m_room = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        layout->addSpacerItem(m_room);
        update(dialog);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowTitleChange)
            update(static_cast<QDialog*>(watched));
        return false;
    }

private:
    void update(QDialog* dialog) {
        // Title bars use a bold face, a little larger than the dialog's.
        QFont font = QApplication::font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.1);
        const int wanted =
            QFontMetrics(font).horizontalAdvance(dialog->windowTitle()) + kTitleBarExtra;
        const QMargins margins = m_layout->contentsMargins();
        m_room->changeSize(std::max(0, wanted - margins.left() - margins.right()), 0,
                           QSizePolicy::Fixed, QSizePolicy::Fixed);
        m_layout->invalidate();
    }

    QBoxLayout* m_layout;
    QSpacerItem* m_room = nullptr;
};

} // namespace

void keepTitleReadable(QDialog* dialog) {
    auto* layout = qobject_cast<QBoxLayout*>(dialog->layout());
    if (!layout)
        return;
    dialog->installEventFilter(new TitleRoom(dialog, layout));
}

} // namespace traxilo

#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace traxilo {

// A framed choice among radio buttons laid out in columns, read and set as
// the index of the selected item (-1 when none is).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index); // -1 selects none
    QRadioButton* button(int index) const { return m_buttons.value(index); }
    int count() const { return int(m_buttons.size()); }

signals:
    void itemClicked(int index); // by the user only

private:
    QButtonGroup* m_group = nullptr;
    QList<QRadioButton*> m_buttons;
};

} // namespace traxilo

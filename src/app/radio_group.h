#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace traxilo {

// A framed group of radio buttons laid out in columns, one of which is
// chosen: the item index (-1 when none is).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index); // emits nothing; -1 chooses none
    QRadioButton* button(int index) const;
    int count() const { return m_buttons.size(); }

signals:
    void itemClicked(int index);

private:
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
};

} // namespace traxilo

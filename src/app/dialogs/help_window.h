#pragma once

#include <QDialog>
#include <QUrl>

class QPushButton;
class QTextBrowser;

namespace traxilo {

// The program's help: French pages compiled into the program, shown by
// topic number (1 contents, 210 opening a clip, 220 calibrating, 230
// pointing, 240 using the data, 300 the buttons, 350 the menus). An
// unknown topic shows the contents. It stays open beside the main window.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Aide de Traxilo");
    static constexpr int ContentsTopic = 1;

    explicit HelpWindow(QWidget* parent = nullptr);

    static QUrl topicUrl(int topic); // the contents' page for an unknown topic
    static bool hasTopic(int topic);

    void showTopic(int topic); // shows the window on the topic
    int currentTopic() const;  // the topic of the page on show, 0 for another page

    QTextBrowser* helpBrowser = nullptr;
    QPushButton* btnSommaire = nullptr;
    QPushButton* btnPrecedent = nullptr;
    QPushButton* btnSuivant = nullptr;
};

} // namespace traxilo

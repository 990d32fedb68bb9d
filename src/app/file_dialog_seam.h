#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace traxilo {

// The file and folder choosers of the program. Filters are in Qt's form,
// "fichiers  AVI (*.avi)". An empty optional means the user cancelled.
struct FileDialogRequest {
    enum class Kind { Open, Save, Folder };
    Kind kind = Kind::Open;
    QString title;
    QString startFolder; // empty: the system's choice
    QStringList filters;
    QString fileName;      // save: the name proposed
    QString defaultSuffix; // save: added when the user types none ("rw3")
    // Open: called with the full path every time the selection changes, so
    // the clip dialog can preview the file under the cursor.
    std::function<void(const QString&)> selectionChanged;
};

class FileDialogSeam {
public:
    using Answerer = std::function<std::optional<QString>(const FileDialogRequest&)>;

    static std::optional<QString>
    getOpenFileName(QWidget* parent, const QString& title, const QString& startFolder,
                    const QStringList& filters,
                    std::function<void(const QString&)> selectionChanged = {});
    static std::optional<QString> getSaveFileName(QWidget* parent, const QString& title,
                                                  const QString& startFolder,
                                                  const QStringList& filters,
                                                  const QString& fileName = {},
                                                  const QString& defaultSuffix = {});
    static std::optional<QString> getExistingDirectory(QWidget* parent, const QString& title,
                                                       const QString& startFolder);

    static std::optional<QString> run(QWidget* parent, const FileDialogRequest& request);

    // An empty answerer puts back the real dialogs.
    static void setAnswerer(Answerer answerer);
    static bool hasAnswerer();

private:
    static std::optional<QString> showDialog(QWidget* parent, const FileDialogRequest& request);
};

} // namespace traxilo

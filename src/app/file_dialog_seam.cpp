#include "app/file_dialog_seam.h"

#include <QFileDialog>
#include <algorithm>

namespace traxilo {

namespace {
FileDialogSeam::Answerer& currentAnswerer() {
    static FileDialogSeam::Answerer answerer;
    return answerer;
}
} // namespace

std::optional<QString>
FileDialogSeam::getOpenFileName(QWidget* parent, const QString& title, const QString& startFolder,
                                const QStringList& filters,
                                std::function<void(const QString&)> selectionChanged) {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.title = title;
    request.startFolder = startFolder;
    request.filters = filters;
    request.selectionChanged = std::move(selectionChanged);
    return run(parent, request);
}

std::optional<QString> FileDialogSeam::getSaveFileName(QWidget* parent, const QString& title,
                                                       const QString& startFolder,
                                                       const QStringList& filters,
                                                       const QString& fileName,
                                                       const QString& defaultSuffix) {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = title;
    request.startFolder = startFolder;
    request.filters = filters;
    request.fileName = fileName;
    request.defaultSuffix = defaultSuffix;
    return run(parent, request);
}

std::optional<QString> FileDialogSeam::getExistingDirectory(QWidget* parent, const QString& title,
                                                            const QString& startFolder) {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Folder;
    request.title = title;
    request.startFolder = startFolder;
    return run(parent, request);
}

std::optional<QString> FileDialogSeam::run(QWidget* parent, const FileDialogRequest& request) {
    if (currentAnswerer()) {
        return currentAnswerer()(request);
    }
    return showDialog(parent, request);
}

void FileDialogSeam::setAnswerer(Answerer answerer) {
    currentAnswerer() = std::move(answerer);
}

bool FileDialogSeam::hasAnswerer() {
    return static_cast<bool>(currentAnswerer());
}

std::optional<QString> FileDialogSeam::showDialog(QWidget* parent,
                                                  const FileDialogRequest& request) {
    // Qt's own dialog: it reports every change of selection, which the
    // preview needs, and it speaks French with Qt's translation.
    QFileDialog dialog(parent, request.title, request.startFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    switch (request.kind) {
    case FileDialogRequest::Kind::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogRequest::Kind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty()) {
            dialog.selectFile(request.fileName);
        }
        break;
    case FileDialogRequest::Kind::Folder:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (!request.filters.isEmpty() && request.kind != FileDialogRequest::Kind::Folder) {
        dialog.setNameFilters(request.filters);
    }
    if (request.kind == FileDialogRequest::Kind::Open && request.selectionChanged) {
        QObject::connect(
            &dialog, &QFileDialog::currentChanged, &dialog,
            [callback = request.selectionChanged](const QString& path) { callback(path); });
        // The preview is on the right of the main window: the dialog keeps
        // to its left rather than covering it.
        if (parent) {
            const QRect window = parent->window()->frameGeometry();
            dialog.adjustSize();
            dialog.move(window.left() + 10,
                        window.top() + std::max(0, (window.height() - dialog.height()) / 2));
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace traxilo

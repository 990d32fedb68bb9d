#pragma once

#include "export/regressi_writer.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace traxilo {

inline const QString kRegressiLaunchQuestion = QStringLiteral(
    "Vous avez demandé l'exécution\rde Regressi :\r\rconfirmez-vous cette demande ?");
inline const QString kRegressiVersionUnknown =
    QStringLiteral("Version de Regressi indétectable.\r\rChoisissez le menu\r  "
                   "Fichiers/Regressi/Définir le chemin d'accès");
inline const QString kRegressiPathNotFound =
    QStringLiteral("Chemin d'accès à Regressi introuvable.\r\rChoisissez le menu\r  "
                   "Fichiers/Regressi/Définir le chemin d'accès");

// The version line of the settings, compared without regard to case:
// "win" for the Windows version, "dos" for the DOS version.
std::optional<RegressiFormat> regressiFormatFromVersion(const QString& version);
QString regressiVersionText(RegressiFormat format); // "win" or "DOS", as stored

// A path typed or pasted for Regressi's executable, as a file path: blanks
// and the quotes a "copy as path" adds are dropped, a "file://" address
// becomes its local path, separators are those of the system.
QString typedProgramPath(const QString& text);
// Why that path cannot be Regressi's executable (nothing typed, no file
// there, a folder), in French; nothing when a file is there.
std::optional<QString> programPathProblem(const QString& path);

// "~avireg~.rw3" or "~avireg~.rrr": the file handed to Regressi, written in
// the folder of its executable.
QString regressiTempFileName(RegressiFormat format);

// A program to start without a shell, on its arguments, in a folder.
struct ProcessStart {
    QString program;
    QStringList arguments;
    QString workingFolder;
    bool operator==(const ProcessStart&) const = default;
};

// How the chosen executable starts on `argument`, in its own folder: a
// Windows program (".exe") through `wine` when there is one, a file that is
// directly executable as it is. Nothing when neither applies. `wine` is the
// path of the wine program, empty when there is none.
std::optional<ProcessStart> regressiStart(const QString& executable, const QString& argument,
                                          const QString& wine);
QString findWine(); // on the PATH, empty when absent

// Starts programs detached; tests may put their own starter in its place.
class ProcessStarter {
public:
    using Starter = std::function<bool(const ProcessStart&)>;
    static bool start(const ProcessStart& process);
    static void setStarter(Starter starter); // empty: start for real
};

} // namespace traxilo

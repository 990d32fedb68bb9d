#pragma once

#include <QString>
#include <array>

namespace traxilo {

// The settings file "txconfig.txt", in the folder chosen at start-up
// (settings_place.h): eight lines ended by CR LF, UTF-8.
//   0 "[version]"  1 "2"  2 "[clips]"  3 clips folder mode ("0" follow the last
//   clip, "1" fixed)  4 clips folder  5 "[regressi]"  6 Regressi version
//   ("win"/"DOS")  7 Regressi executable path
// Input/output errors are never reported and never stop the program.
using ConfigLinesArray = std::array<QString, 8>;
extern const ConfigLinesArray DefaultConfigLines; // index 4 is empty: the clips folder goes there

class ConfigFile {
public:
    // `folder` holds the file (empty: the current folder); `defaultClipsFolder`
    // is line 5 when the defaults are made (empty: `folder`).
    explicit ConfigFile(QString folder = {}, QString defaultClipsFolder = {});

    QString folder() const { return m_folder; }
    QString path() const; // folder + "/txconfig.txt"
    bool exists() const;

    // Start-up: fill ConfigLines from the file (current or older two-line
    // layout) or the defaults, then save, unless reading an existing file failed.
    void loadAtStartup();

    // Writes the eight lines through a temporary file and a rename, so a
    // failure leaves the old file whole. False when the file could not be written.
    bool save() const;

    // Clips folder dialog: empties all eight lines, then reads eight lines
    // from the file. True when the read completed without an input/output error;
    // false, with ConfigLines untouched, when the file does not exist.
    bool reread();

    // Regressi launch: reads lines 7 (version) and 8 (path) straight from the
    // file, never from memory. ok is false when the file could not be read.
    struct RegressiEntry {
        QString version;
        QString path;
        bool ok = false;
    };
    RegressiEntry readRegressiDirect() const;

    // The Regressi settings in memory (lines 7 and 8).
    QString regressiVersion() const { return ConfigLines[6]; }
    QString regressiPath() const { return ConfigLines[7]; }
    void setRegressi(const QString& version, const QString& path) {
        ConfigLines[6] = version;
        ConfigLines[7] = path;
    }

    // True when the last loadAtStartup() could not read the file it found; the
    // file was then left as it was instead of being rewritten.
    bool lastReadFailed() const { return m_lastReadFailed; }

    ConfigLinesArray ConfigLines;

private:
    QString m_folder;
    QString m_defaultClipsFolder;
    bool m_lastReadFailed = false;
};

} // namespace traxilo

// Writes the seed inputs of every fuzz target, from the files the tests
// build: AVI headers and shortcuts from tests/support, sessions as the
// program writes them, settings files and typed numbers from the test
// tables. The seeds are kept in fuzz/corpus/<target>/seed-*; run
//   build/bin/traxilo-fuzz-seeds fuzz/corpus
// to write them again after a format changes.
#include "session/session_file.h"
#include "support/avi_bytes.h"
#include "support/shell_link_bytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QString g_root;

void put(const char* target, const QString& name, const QByteArray& bytes) {
    const QString folder = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/seed-") + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

void aviSeeds() {
    AviFields plain;
    put("avi_header", "cinepak-25", makeAviBytes(plain));
    AviFields ntsc;
    ntsc.rate = 30000;
    ntsc.scale = 1001;
    ntsc.fourCC = "MSVC";
    put("avi_header", "msvc-ntsc", makeAviBytes(ntsc));
    AviFields noRate;
    noRate.rate = 0;
    noRate.fourCC = QByteArray(4, '\0');
    put("avi_header", "no-rate-uncompressed", makeAviBytes(noRate));
    AviFields dv;
    dv.fourCC = "DVSD";
    dv.frames = -1;
    put("avi_header", "dvsd-negative-frames", makeAviBytes(dv));
    put("avi_header", "short-100-bytes", makeAviBytes(plain, 100));
    put("avi_header", "header-only-136", makeAviBytes(plain, 136));
}

void shellLinkSeeds() {
    ShellLinkFields local;
    local.localBasePath = "C:\\clips\\";
    local.commonPathSuffix = "chute.avi";
    local.relativePath = QStringLiteral("..\\clips\\chute.avi");
    local.name = QStringLiteral("Chute libre");
    put("shell_link", "unicode-local-relative", makeShellLinkBytes(local));
    ShellLinkFields ansi = local;
    ansi.unicode = false;
    ansi.withIdList = false;
    ansi.localBasePath = "C:\\\xe9l\xe8ve\\";
    put("shell_link", "ansi-latin", makeShellLinkBytes(ansi));
    ShellLinkFields relative;
    relative.relativePath = QStringLiteral("chute.avi");
    relative.workingDir = QStringLiteral("C:\\clips");
    put("shell_link", "relative-only", makeShellLinkBytes(relative));
}

void sessionSeeds() {
    SessionData s;
    s.clipPath = QStringLiteral("/home/eleve/clips/chute.avi");
    s.frameCount = 40;
    s.pictureSize = QSize(320, 240);
    s.codec = QStringLiteral("cvid");
    s.styleColumns = {{"255", "1", "0"}, {"65280", "1", "1"}};
    s.positions = {{0, 1, 10, 200}, {1, 1, 20.5, 180.25}, {2, 1, 30, 160, true}};
    s.calibration.sensitivity = 0.0025L;
    s.distanceText = QStringLiteral("0,5");
    put("session", "one-point", writeSession(s, QStringLiteral("/home/eleve/s.trx")));

    s.pointsPerFrame = 3;
    s.currentPoint = 2;
    s.currentFrame = 5;
    s.timeOrigin = 3;
    s.captureRate = 240;
    s.styleColumns = {
        {"0", "1", "0"}, {"255", "1", "0"}, {"65280", "0", "1"}, {"16711680", "1", "2"}};
    s.positions = {{0, 1, 1, 2}, {0, 2, 3, 4}, {0, 3, 5, 6}, {7, 3, -1, 99999, true}};
    s.calibration.signX = -1;
    s.calibration.scaleDefined = true;
    put("session", "three-points-slow-motion", writeSession(s, QStringLiteral("/tmp/s.trx")));
}

QByteArray lines(const QStringList& lines, const QByteArray& end = "\r\n") {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + end;
    return bytes;
}

void configSeeds() {
    const QStringList current{"[version]",  "2",          "[clips]", "1",
                              "/srv/clips", "[regressi]", "DOS",     "/opt/r"};
    put("config_file", "current", lines(current));
    put("config_file", "current-lf", lines(current, "\n"));
    put("config_file", "older-two-lines", "C:\\Regressi\\regressi.exe\r\nwin\r\n");
    put("config_file", "latin1", "C:\\R\xe9gressi\\regressi.exe\r\nwin\r\n");
    put("config_file", "bom-missing-lines", "\xEF\xBB\xBF[version]\r\n2\r\n[clips]\r\n1\r\n");
    put("config_file", "lone-cr", "[version]\r2\r[clips]\r0\r/c\r[regressi]\rwin\r/r");
}

void numberSeeds() {
    const char* typed[] = {"0,029", "2,9E-2", " 1.5e3 ", "-12",   "+.5",   "1e4932", "1E-4950",
                           "250%",  "29,97",  "0",       "1,2,3", "\t7\t", "e5",     "1.0E+"};
    int i = 0;
    for (const char* text : typed)
        put("number_parsing", QString::number(i++), QByteArray(text));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: traxilo-fuzz-seeds CORPUS_FOLDER\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    aviSeeds();
    shellLinkSeeds();
    sessionSeeds();
    configSeeds();
    numberSeeds();
    return 0;
}

#include "session/session_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace traxilo {

namespace {

const QString kFormatName = QStringLiteral("traxilo-session");
constexpr int kMaxPoints = 9;

// The C locale, so that the file reads the same whatever the user's locale.
locale_t cNumbers() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// The sensitivity keeps every bit of its long double through the file.
QString exactText(long double x) {
    char buffer[64];
    const locale_t previous = uselocale(cNumbers());
    std::snprintf(buffer, sizeof buffer, "%.21Lg", x);
    uselocale(previous);
    return QString::fromLatin1(buffer);
}

std::optional<long double> exactValue(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    if (bytes.isEmpty())
        return std::nullopt;
    char* end = nullptr;
    const long double x = strtold_l(bytes.constData(), &end, cNumbers());
    if (end != bytes.constData() + bytes.size() || !std::isfinite(x))
        return std::nullopt;
    return x;
}

QJsonArray pointArray(QPointF p) {
    return QJsonArray{p.x(), p.y()};
}

// Version 1 kept positions and the calibration in pixels of the picture as
// shown at its display size: back to the picture at 100 %.
void fromShownPixels(SessionData& s) {
    const double f = s.displayPercent / 100.0;
    if (f == 1)
        return;
    Calibration& c = s.calibration;
    c.Xo /= f;
    c.Yo /= f;
    c.p1 /= f;
    c.p2 /= f;
    c.sensitivity *= static_cast<long double>(f);
    for (RecordedPosition& p : s.positions) {
        p.x /= f;
        p.y /= f;
    }
}

// Reading with every fault collected as one French reason.
class Reader {
public:
    explicit Reader(const QJsonObject& root) : m_root(root) {}
    QString error;

    QJsonObject object(const QJsonObject& parent, const char* key) {
        const QJsonValue v = parent.value(QLatin1String(key));
        if (!v.isObject())
            fail(key);
        return v.toObject();
    }
    int integer(const QJsonObject& parent, const char* key, int min, int max) {
        const QJsonValue v = parent.value(QLatin1String(key));
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < min || d > max) {
            fail(key);
            return min;
        }
        return int(d);
    }
    QString text(const QJsonObject& parent, const char* key) {
        const QJsonValue v = parent.value(QLatin1String(key));
        if (!v.isString())
            fail(key);
        return v.toString();
    }
    bool flag(const QJsonObject& parent, const char* key) {
        const QJsonValue v = parent.value(QLatin1String(key));
        if (!v.isBool())
            fail(key);
        return v.toBool();
    }
    QPointF point(const QJsonObject& parent, const char* key) {
        const QJsonArray a = parent.value(QLatin1String(key)).toArray();
        if (a.size() != 2 || !finite(a[0]) || !finite(a[1])) {
            fail(key);
            return {};
        }
        return QPointF(a[0].toDouble(), a[1].toDouble());
    }
    static bool finite(const QJsonValue& v) {
        return v.isDouble() && std::isfinite(v.toDouble()) && std::fabs(v.toDouble()) < 1e9;
    }
    void fail(const char* key) {
        if (error.isEmpty())
            error = QStringLiteral("la valeur « %1 » manque ou n'est pas valable.")
                        .arg(QLatin1String(key));
    }

private:
    QJsonObject m_root;
};

} // namespace

QByteArray writeSession(const SessionData& s, const QString& sessionPath) {
    QJsonObject clip{
        {QStringLiteral("path"), s.clipPath},
        {QStringLiteral("relativePath"),
         QFileInfo(sessionPath).absoluteDir().relativeFilePath(s.clipPath)},
        {QStringLiteral("frameCount"), s.frameCount},
        {QStringLiteral("width"), s.pictureSize.width()},
        {QStringLiteral("height"), s.pictureSize.height()},
        {QStringLiteral("codec"), s.codec},
    };
    const Calibration& c = s.calibration;
    QJsonObject calibration{
        {QStringLiteral("p1"), pointArray(c.p1)},
        {QStringLiteral("p2"), pointArray(c.p2)},
        {QStringLiteral("distance"), s.distanceText},
        {QStringLiteral("sensitivity"), exactText(c.sensitivity)},
        {QStringLiteral("origin"), pointArray(QPointF(c.Xo, c.Yo))},
        {QStringLiteral("signX"), c.signX},
        {QStringLiteral("signY"), c.signY},
        {QStringLiteral("segmentColour"), c.scaleSegmentColour.name()},
        // Read by the first format; the segment shows while the scale is edited.
        {QStringLiteral("segmentShown"), false},
        {QStringLiteral("scaleDefined"), c.scaleDefined},
    };
    QJsonArray positions;
    for (const RecordedPosition& p : s.positions)
        positions.append(QJsonArray{p.frame, p.point, p.x, p.y, p.automatic ? 1 : 0});
    QJsonArray styles;
    for (const QStringList& column : s.styleColumns)
        styles.append(QJsonArray::fromStringList(column));
    const QJsonObject root{
        {QStringLiteral("format"), kFormatName},
        {QStringLiteral("version"), kSessionFormatVersion},
        {QStringLiteral("clip"), clip},
        {QStringLiteral("displayPercent"), s.displayPercent},
        {QStringLiteral("calibration"), calibration},
        {QStringLiteral("timeOrigin"), s.timeOrigin},
        {QStringLiteral("captureRate"),
         s.captureRate ? QJsonValue(exactText(*s.captureRate)) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("timeDecimals"), s.timeDecimals},
        {QStringLiteral("xyDigits"), s.xyDigits},
        {QStringLiteral("pointsPerFrame"), s.pointsPerFrame},
        {QStringLiteral("currentPoint"), s.currentPoint},
        {QStringLiteral("currentFrame"), s.currentFrame},
        {QStringLiteral("positions"), positions},
        {QStringLiteral("styles"), styles},
        {QStringLiteral("markSize"), s.markSize},
        {QStringLiteral("pointerColour"), s.pointerColour},
        {QStringLiteral("pointerShape"), s.pointerShape},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SessionReadResult readSession(const QByteArray& bytes) {
    SessionReadResult result;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (document.isNull() || !document.isObject()) {
        result.error = QStringLiteral("ce fichier n'est pas une session Traxilo (il est vide, "
                                      "abîmé ou d'un autre format).");
        return result;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormatName) {
        result.error = QStringLiteral("ce fichier n'est pas une session Traxilo.");
        return result;
    }
    const int version = root.value(QStringLiteral("version")).toInt(0);
    if (version > kSessionFormatVersion) {
        result.error = QStringLiteral("cette session vient d'une version plus récente de "
                                      "Traxilo (format %1) : mettez Traxilo à jour pour l'ouvrir.")
                           .arg(version);
        return result;
    }
    if (version < 1) {
        result.error = QStringLiteral("ce fichier n'est pas une session Traxilo.");
        return result;
    }

    Reader r(root);
    SessionData s;
    const QJsonObject clip = r.object(root, "clip");
    s.clipPath = r.text(clip, "path");
    s.clipRelativePath = r.text(clip, "relativePath");
    s.frameCount = r.integer(clip, "frameCount", 1, 100000000);
    s.pictureSize =
        QSize(r.integer(clip, "width", 1, 100000), r.integer(clip, "height", 1, 100000));
    s.codec = r.text(clip, "codec");
    s.displayPercent = r.integer(root, "displayPercent", 10, 400);

    const QJsonObject cal = r.object(root, "calibration");
    Calibration& c = s.calibration;
    c.p1 = r.point(cal, "p1");
    c.p2 = r.point(cal, "p2");
    s.distanceText = r.text(cal, "distance");
    const std::optional<long double> sensitivity = exactValue(r.text(cal, "sensitivity"));
    if (!sensitivity || *sensitivity <= 0)
        r.fail("sensitivity");
    else
        c.sensitivity = *sensitivity;
    const QPointF origin = r.point(cal, "origin");
    c.Xo = origin.x();
    c.Yo = origin.y();
    c.signX = r.integer(cal, "signX", -1, 1) < 0 ? -1 : 1;
    c.signY = r.integer(cal, "signY", -1, 1) < 0 ? -1 : 1;
    c.scaleSegmentColour = QColor(r.text(cal, "segmentColour"));
    if (!c.scaleSegmentColour.isValid())
        r.fail("segmentColour");
    r.flag(cal, "segmentShown");
    c.scaleDefined = r.flag(cal, "scaleDefined");

    s.timeOrigin = r.integer(root, "timeOrigin", 1, s.frameCount);
    s.timeDecimals = r.integer(root, "timeDecimals", 0, 6);
    // Absent or null: filmed at the rate it plays at.
    const QJsonValue rate = root.value(QStringLiteral("captureRate"));
    if (rate.isString()) {
        s.captureRate = exactValue(rate.toString());
        if (!s.captureRate || *s.captureRate <= 0)
            r.fail("captureRate");
    } else if (!rate.isNull() && !rate.isUndefined()) {
        r.fail("captureRate");
    }
    s.xyDigits = r.integer(root, "xyDigits", 1, 5);
    s.pointsPerFrame = r.integer(root, "pointsPerFrame", 1, kMaxPoints);
    s.currentPoint = r.integer(root, "currentPoint", 1, s.pointsPerFrame);
    s.currentFrame = r.integer(root, "currentFrame", 0, s.frameCount - 1);
    s.markSize = r.integer(root, "markSize", 1, 5);
    s.pointerColour = r.integer(root, "pointerColour", 1, 2);
    s.pointerShape = r.integer(root, "pointerShape", 1, 3);

    const QJsonValue positions = root.value(QStringLiteral("positions"));
    if (!positions.isArray())
        r.fail("positions");
    for (const QJsonValue& v : positions.toArray()) {
        const QJsonArray a = v.toArray();
        // Version 1: [frame, point, x, y or null]; version 2 adds the
        // automatic flag. A version 1 position without its y was never
        // complete (no export took it): it is left out.
        const bool shaped = a.size() == (version == 1 ? 4 : 5) && a[0].isDouble() &&
                            a[1].isDouble() && Reader::finite(a[2]) &&
                            (Reader::finite(a[3]) || (version == 1 && a[3].isNull())) &&
                            (version == 1 || a[4].isDouble());
        RecordedPosition p;
        if (shaped) {
            p.frame = a[0].toInt(-1);
            p.point = a[1].toInt(0);
            p.x = a[2].toDouble();
            p.y = a[3].toDouble();
            p.automatic = version > 1 && a[4].toInt() != 0;
        }
        if (!shaped || p.frame < 0 || p.frame >= s.frameCount || p.point < 1 ||
            p.point > s.pointsPerFrame) {
            r.fail("positions");
            break;
        }
        if (a[3].isNull())
            continue;
        s.positions.append(p);
    }
    if (version == 1)
        fromShownPixels(s);

    const QJsonValue styles = root.value(QStringLiteral("styles"));
    if (!styles.isArray() || styles.toArray().size() != s.pointsPerFrame + 1)
        r.fail("styles");
    for (const QJsonValue& v : styles.toArray()) {
        QStringList column;
        for (const QJsonValue& cell : v.toArray())
            column << cell.toString();
        if (column.size() != 3) {
            r.fail("styles");
            break;
        }
        s.styleColumns.append(column);
    }

    if (!r.error.isEmpty()) {
        result.error = QStringLiteral("cette session est incomplète ou abîmée : ") + r.error;
        return result;
    }
    result.session = std::move(s);
    return result;
}

QString locateSessionClip(const SessionData& session, const QString& sessionPath) {
    if (!session.clipPath.isEmpty() && QFileInfo(session.clipPath).isFile())
        return QFileInfo(session.clipPath).absoluteFilePath();
    if (session.clipRelativePath.isEmpty())
        return {};
    const QString relative =
        QFileInfo(sessionPath).absoluteDir().absoluteFilePath(session.clipRelativePath);
    return QFileInfo(relative).isFile() ? QFileInfo(relative).absoluteFilePath() : QString();
}

} // namespace traxilo

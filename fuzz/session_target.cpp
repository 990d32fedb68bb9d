#include "fuzz_targets.h"

#include "session/session_file.h"

#include <QByteArray>

namespace traxilo::fuzz {

int session(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SessionReadResult read = readSession(bytes);
    check(read.session.has_value() != !read.error.isEmpty(), "a session or a reason, not both");
    if (!read.session)
        return 0;
    const SessionData& s = *read.session;
    check(s.frameCount >= 1 && s.timeOrigin >= 1 && s.timeOrigin <= s.frameCount,
          "the time origin is a frame of the clip");
    check(s.currentFrame >= 0 && s.currentFrame < s.frameCount, "the current frame exists");
    check(s.pointsPerFrame >= 1 && s.pointsPerFrame <= 9 && s.currentPoint >= 1 &&
              s.currentPoint <= s.pointsPerFrame,
          "points per frame and the current point");
    check(s.styleColumns.size() == s.pointsPerFrame + 1, "one style column per point and the axes");
    for (const RecordedPosition& p : s.positions)
        check(p.frame >= 0 && p.frame < s.frameCount && p.point >= 1 && p.point <= s.pointsPerFrame,
              "every position on a frame and a point that exist");
    check(s.calibration.sensitivity > 0, "a positive sensitivity");
    check(!s.captureRate || *s.captureRate > 0, "a positive capture rate");

    // What the program writes, it reads back whole: a second save is the
    // same file as the first.
    const QString path = QStringLiteral("/sessions/session.trx");
    const QByteArray written = writeSession(s, path);
    const SessionReadResult again = readSession(written);
    check(again.session.has_value(), "a written session reads back");
    check(writeSession(*again.session, path) == written, "a written session reads back whole");
    return 0;
}

} // namespace traxilo::fuzz

// traxilo-clipgen: writes a synthetic experiment clip and its truth file.
#include "clipgen/clip_generator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <map>

using namespace traxilo::clipgen;

namespace {

const std::map<QString, Codec>& codecNames() {
    static const std::map<QString, Codec> names = {
        {"mjpeg", Codec::Mjpeg},       {"dib", Codec::RawDib},      {"raw0", Codec::RawNoFourCC},
        {"msvideo1", Codec::MsVideo1}, {"cinepak", Codec::Cinepak}, {"xvid", Codec::Mpeg4Xvid},
        {"divx", Codec::Mpeg4Divx},    {"mp42", Codec::MsMpeg4v2},  {"div3", Codec::MsMpeg4v3},
        {"h264", Codec::H264},         {"hevc", Codec::Hevc},       {"dv", Codec::Dv},
    };
    return names;
}

int failWith(const QString& text) {
    QTextStream(stderr) << "traxilo-clipgen: " << text << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes a clip of a ball in free fall or thrown, with a 1 m ruler in the scene and the\n"
        "frame index coded in the pixels of every frame.");
    parser.addHelpOption();
    parser.addPositionalArgument("output", "clip to write (.avi, .mp4 or .mov)");
    QStringList codecList;
    for (const auto& [name, codec] : codecNames())
        codecList << name;
    const QCommandLineOption demo(
        "demo", "the demo clip: a ball thrown, 640x480, 25 fps, 20 frames, MJPEG");
    const QCommandLineOption codec("codec", "codec: " + codecList.join(", "), "name", "mjpeg");
    const QCommandLineOption size("size", "picture size WxH (multiples of 4)", "WxH", "320x240");
    const QCommandLineOption fps("fps", "frame rate N or N/D", "rate", "25");
    const QCommandLineOption frames("frames", "number of frames", "n", "25");
    const QCommandLineOption gop("gop", "keyframe spacing", "n", "12");
    const QCommandLineOption bframes("bframes", "B-frames between references", "n", "0");
    const QCommandLineOption openGop("open-gop", "leading B-frames refer across keyframes");
    const QCommandLineOption vfr("vfr", "variable frame rate (MP4)");
    const QCommandLineOption rotation("rotation", "display rotation, clockwise (MP4, MOV)",
                                      "degrees", "0");
    const QCommandLineOption mirror("mirror", "flipped left to right after the rotation");
    const QCommandLineOption texture("texture",
                                     "a noisy background that decodes like a filmed scene");
    const QCommandLineOption container("container", "avi or mp4 (default from the name)", "kind");
    const QCommandLineOption motion("motion", "fall or throw", "kind", "fall");
    const QCommandLineOption v0x("v0x", "horizontal start speed, m/s (throw)", "v", "0");
    const QCommandLineOption v0y("v0y", "vertical start speed, m/s, upward", "v", "0");
    const QCommandLineOption g("g", "gravity, m/s2", "g", "9.81");
    const QCommandLineOption ppm("ppm", "pixels per metre (0: fit the motion)", "p", "0");
    const QCommandLineOption recipeOption(
        "recipe", "a clip as other programs write it: " + recipeNames().join(", "), "name");
    const QCommandLineOption truth("truth", "truth side file to write", "file");
    parser.addOptions({demo,    recipeOption, codec, size,     fps,    frames,  gop,
                       bframes, openGop,      vfr,   rotation, mirror, texture, container,
                       motion,  v0x,          v0y,   g,        ppm,    truth});
    parser.process(app);

    if (parser.positionalArguments().size() != 1)
        return failWith("one output file expected (see --help)");
    const QString output = parser.positionalArguments().first();

    ClipSpec clipSpec;
    if (parser.isSet(demo)) {
        // A throw a class can point in a few minutes: a parabola over 0.8 s
        // that fills the picture, with the 1 m ruler about half its width.
        clipSpec.width = 640;
        clipSpec.height = 480;
        clipSpec.frames = 20;
        clipSpec.motion = Motion::Throw;
        clipSpec.v0x = 1.5;
        clipSpec.v0y = 3.0;
    } else if (parser.isSet(recipeOption)) {
        const std::optional<ClipSpec> named = recipe(parser.value(recipeOption));
        if (!named)
            return failWith("unknown recipe " + parser.value(recipeOption));
        clipSpec = *named;
    } else {
        const auto found = codecNames().find(parser.value(codec).toLower());
        if (found == codecNames().end())
            return failWith("unknown codec " + parser.value(codec));
        clipSpec.codec = found->second;
        const QStringList wh = parser.value(size).toLower().split('x');
        const QStringList rate = parser.value(fps).split('/');
        if (wh.size() != 2 || rate.isEmpty() || rate.size() > 2)
            return failWith("bad --size or --fps");
        clipSpec.width = wh[0].toInt();
        clipSpec.height = wh[1].toInt();
        clipSpec.fpsNum = rate[0].toInt();
        clipSpec.fpsDen = rate.size() == 2 ? rate[1].toInt() : 1;
        clipSpec.frames = parser.value(frames).toInt();
        clipSpec.gop = parser.value(gop).toInt();
        clipSpec.bFrames = parser.value(bframes).toInt();
        clipSpec.openGop = parser.isSet(openGop);
        clipSpec.variableRate = parser.isSet(vfr);
        clipSpec.rotation = parser.value(rotation).toInt();
        clipSpec.mirrored = parser.isSet(mirror);
        clipSpec.texture = parser.isSet(texture);
        clipSpec.motion = parser.value(motion) == "throw" ? Motion::Throw : Motion::FreeFall;
        clipSpec.v0x = parser.value(v0x).toDouble();
        clipSpec.v0y = parser.value(v0y).toDouble();
        clipSpec.g = parser.value(g).toDouble();
        clipSpec.pixelsPerMetre = parser.value(ppm).toDouble();
        const QString kind = parser.isSet(container) ? parser.value(container)
                                                     : QFileInfo(output).suffix().toLower();
        clipSpec.container = kind == "mp4"   ? Container::Mp4
                             : kind == "mov" ? Container::Mov
                                             : Container::Avi;
    }

    QString error;
    const auto result = generateClip(clipSpec, output, &error);
    if (!result)
        return failWith(error);
    if (parser.isSet(truth) && !writeTruthFile(*result, parser.value(truth)))
        return failWith("cannot write " + parser.value(truth));
    return 0;
}

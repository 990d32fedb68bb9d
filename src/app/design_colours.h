#pragma once

#include <QColor>

namespace traxilo {

// The program's own colours, named once.
inline const QColor kAqua{0, 255, 255};
inline const QColor kSilver{192, 192, 192};
inline const QColor kTeal{0, 128, 128};
inline const QColor kYellow{255, 255, 0};
inline const QColor kLightBlue{128, 128, 255};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};

} // namespace traxilo

#pragma once

#include "app/main_window.h"
#include "support/seam_answerer.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace traxilo::test {

// A main window started in a fresh temporary working folder (where it
// writes txconfig.txt, and keeps its automatic copies under data/), with
// the seams answered by `seams`. The previous
// working folder comes back on destruction.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    bool isValid() const { return m_dir.isValid() && window; }
    QString folder() const { return m_dir.path(); }

    SeamAnswerer seams; // before the window: it answers from the window's creation on
    std::unique_ptr<TForm1> window;

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
    QByteArray m_previousData; // XDG_DATA_HOME before the fixture
};

} // namespace traxilo::test

#include "support/main_window_fixture.h"

#include <QDir>
#include <QFile>

namespace traxilo::test {

MainWindowFixture::MainWindowFixture()
    : m_previousFolder(QDir::currentPath()), m_previousData(qgetenv("XDG_DATA_HOME")) {
    // The automatic copies go to the test's own folder, never the user's.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/data")));
    if (m_dir.isValid() && QDir::setCurrent(m_dir.path())) {
        window = std::make_unique<TForm1>();
    }
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
    QDir::setCurrent(m_previousFolder);
    if (m_previousData.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_previousData);
}

} // namespace traxilo::test

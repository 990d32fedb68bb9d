#include "support/main_window_fixture.h"

#include <QDir>

namespace traxilo::test {

MainWindowFixture::MainWindowFixture() : m_previousFolder(QDir::currentPath()) {
    if (m_dir.isValid() && QDir::setCurrent(m_dir.path())) {
        window = std::make_unique<TForm1>();
    }
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
    QDir::setCurrent(m_previousFolder);
}

} // namespace traxilo::test

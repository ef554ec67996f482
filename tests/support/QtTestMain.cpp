// The main of the Qt Test executables: "EXECUTABLE CLASS [Qt Test options]" runs one test class.
#include <QApplication>
#include <QTest>

#include <cstdio>
#include <vector>

#include "support/QtTestRegistry.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TEST_CLASS [Qt Test options]\n", argv[0]);
        return 2;
    }
    const galewarden::test::QtTestFactory factory = galewarden::test::findQtTest(argv[1]);
    if (!factory) {
        std::fprintf(stderr, "%s: no test class %s\n", argv[0], argv[1]);
        return 2;
    }
    // Qt Test sees the program name and the options after the class name.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    int count = static_cast<int>(arguments.size());
    QApplication application(count, arguments.data());
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    const std::unique_ptr<QObject> testObject = factory();
    return QTest::qExec(testObject.get(), count, arguments.data());
}

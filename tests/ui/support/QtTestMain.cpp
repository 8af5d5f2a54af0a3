#include "ui/support/QtTestMain.h"

#ifdef TESSMARK_QTEST_CORE_APPLICATION
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <QTest>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, QtTestRegistry::Factory>& registry() {
    static std::map<std::string, QtTestRegistry::Factory> classes;
    return classes;
}

} // namespace

int QtTestRegistry::add(const char* className, Factory factory) {
    registry()[className] = std::move(factory);
    return 0;
}

int main(int argc, char** argv) {
    TestApplication application(argc, argv);
    std::vector<char*> arguments(argv, argv + argc);
    std::string only;
    if (arguments.size() > 1 && registry().count(arguments[1]) != 0) {
        only = arguments[1];
        arguments.erase(arguments.begin() + 1);
    }
    int failures = 0;
    for (const auto& [name, factory] : registry()) {
        if (!only.empty() && name != only) {
            continue;
        }
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
    }
    return failures == 0 ? 0 : 1;
}

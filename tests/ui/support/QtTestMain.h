#pragma once

#include <QObject>

#include <functional>
#include <memory>

// The interface's test programs: each test class registers itself here, and main() runs the
// one named by the first argument (the CTest entry), or every class in turn without one.
namespace QtTestRegistry {

using Factory = std::function<std::unique_ptr<QObject>()>;
int add(const char* className, Factory factory);

} // namespace QtTestRegistry

#define TESSMARK_QTEST(Class)                                                                                \
    namespace {                                                                                              \
    const int registered##Class = QtTestRegistry::add(#Class, [] { return std::make_unique<Class>(); });     \
    }

#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace galewarden::test {

using QtTestFactory = std::function<std::unique_ptr<QObject>()>;

// Test classes of one Qt Test executable register themselves under their name; the shared main
// runs the one named on its command line, so that each class keeps a process of its own.
bool registerQtTest(const std::string& name, QtTestFactory factory);

template <class TestClass>
bool registerQtTest(const std::string& name) {
    return registerQtTest(name, [] { return std::make_unique<TestClass>(); });
}

// The registered factory of `name`, or an empty one.
QtTestFactory findQtTest(const std::string& name);

}  // namespace galewarden::test

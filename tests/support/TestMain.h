#pragma once
// One test executable per subsystem runs several test classes. Each class
// registers itself with TAMSEL_TEST(Class); the shared main runs them all.
#include <QObject>
#include <functional>
#include <vector>

std::vector<std::function<QObject *()>> &TestFactories();

#define TAMSEL_TEST(Class)                                                                             \
    static const bool Class##_registered = [] {                                                        \
        TestFactories().push_back([] { return static_cast<QObject *>(new Class); });                  \
        return true;                                                                                   \
    }();

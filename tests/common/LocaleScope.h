#pragma once

#include <QLocale>

// Switches the application's default locale for the lifetime of a test.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : ancienne_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(ancienne_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    static QLocale francais() { return QLocale(QLocale::French, QLocale::France); }

private:
    QLocale ancienne_;
};

#include <ostream>

// Lets GoogleTest name locale parameters readably.
inline void PrintTo(const QLocale& locale, std::ostream* os)
{
    *os << locale.name().toStdString();
}

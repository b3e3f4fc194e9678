// What assistive technology sees of Form1: the window's controls as Qt
// presents them, but without the hidden digit box, which is the program's
// own bookkeeping and never shown to anyone.
#pragma once

class QObject;
class QAccessibleInterface;
class QString;

// A factory for QAccessible::installFactory; answers for Form1 only.
QAccessibleInterface *Form1AccessibleFactory(const QString &className, QObject *object);

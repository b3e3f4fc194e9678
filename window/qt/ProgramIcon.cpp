#include "ProgramIcon.h"

QIcon ProgramIcon()
{
    // The images live in the window library's resources; a static library's
    // resources must be registered by hand before first use.
    static const bool registered = [] {
        Q_INIT_RESOURCE(Form1);
        return true;
    }();
    Q_UNUSED(registered);
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/minukape-%1.png").arg(size), QSize(size, size));
    return icon;
}

#include "ratiotable.h"

namespace ratios {

int indexForSize(double w, double h)
{
    if ((w == 0.75 && h == 1) || (w == 3 && h == 4))
        return 4;
    if ((w == 1 && h == 0.75) || (w == 4 && h == 3))
        return 3;
    if (w == 2 && h == 3)
        return 2;
    if (w == 3 && h == 2)
        return 1;
    if (w == 1 && h == 1)
        return 0;
    if (w == 16 && h == 9)
        return 5;
    return 0;
}

QString title(int index)
{
    const kit::Size r = table[(index >= 0 && index < int(table.size())) ? index : 0];
    return QString::asprintf("%.0f:%.0f", r.width, r.height);
}

} // namespace ratios

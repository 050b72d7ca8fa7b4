#include "viewids.h"

int ViewIds::idOf(const kit::View* view)
{
    if (!view)
        return 0;
    // A dead view's address may be reused by a new view; the live check
    // tells them apart.
    if (auto it = m_ids.find(view); it != m_ids.end() && this->view(it->second) == view)
        return it->second;
    const int id = m_next++;
    bind(id, const_cast<kit::View*>(view));
    return id;
}

kit::View* ViewIds::view(int id) const
{
    const auto it = m_views.find(id);
    return it == m_views.end() ? nullptr : it->second.get();
}

void ViewIds::bind(int id, kit::View* view)
{
    m_views[id] = kit::ViewRef(view);
    m_ids[view] = id;
    if (id >= m_next)
        m_next = id + 1;
}

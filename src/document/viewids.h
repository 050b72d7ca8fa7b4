#pragma once

// Numbers that name the prints and captions of a session for as long as it
// lasts, even across their removal and re-creation: an undo command that
// removed a print re-creates another view for it and binds that view to the
// print's number, so that later commands find it again.

#include "kit/view.h"

#include <unordered_map>

class ViewIds
{
public:
    // The number of `view`; a view seen for the first time gets a new one.
    int idOf(const kit::View* view);
    // The live view bound to `id`, or nullptr.
    kit::View* view(int id) const;
    template<class T> T* viewAs(int id) const { return dynamic_cast<T*>(view(id)); }
    // From now on `id` names `view`.
    void bind(int id, kit::View* view);

private:
    std::unordered_map<int, kit::ViewRef> m_views;
    std::unordered_map<const kit::View*, int> m_ids;
    int m_next = 1;
};

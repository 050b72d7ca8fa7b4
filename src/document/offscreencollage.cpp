#include "offscreencollage.h"

#include "freelayout/klfreelayoutview.h"
#include "serial/klcombinview.h"
#include "template/klresourceview.h"

OffscreenCollage::OffscreenCollage(const kit::Rect& frame)
    : m_template(std::make_unique<KLResourceView>(frame)),
      m_free(std::make_unique<KLFreeLayoutView>(frame)),
      m_serial(std::make_unique<KLCombinView>(frame))
{ }

OffscreenCollage::~OffscreenCollage() = default;

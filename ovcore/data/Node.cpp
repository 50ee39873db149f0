#include "ovcore/data/Node.h"

#include <cstring>

namespace OvCore {

OV_ATTRIBUTE* OV_NODE::FindAttribute(const char* attributeName) const {
    if (!attributeName) return nullptr;
    for (OV_ATTRIBUTE* attribute = firstAttribute; attribute; attribute = attribute->next)
        if (std::strcmp(attribute->name.Get(), attributeName) == 0) return attribute;
    return nullptr;
}

const char* OV_NODE::AttributeValue(const char* attributeName) const {
    const OV_ATTRIBUTE* attribute = FindAttribute(attributeName);
    return attribute ? attribute->value.Get() : nullptr;
}

}  // namespace OvCore

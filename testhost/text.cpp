#include "testhost/text.h"

#include <cstdio>

#include "host/ids.h"
#include "testhost/value.h"

namespace testhost {

std::string guidText(const GUID& id) {
    char buffer[39];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1],
                  id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return buffer;
}

std::string idName(const GUID& id) {
    struct Named {
        const GUID& id;
        const char* name;
    };
    static const Named kNames[] = {
        {iid::IACFUnknown, "IACFUnknown"},
        {iid::IACFClassFactory, "IACFClassFactory"},
        {iid::IACFHostFactory, "IACFHostFactory"},
        {iid::IACFHostAuxiliary, "IACFHostAuxiliary"},
        {iid::IACFHostLog, "IACFHostLog"},
        {iid::IACFPluginRecord, "IACFPluginRecord"},
        {iid::IAVXComponentRecord, "IAVXComponentRecord"},
        {iid::IAVXParamRecord, "IAVXParamRecord"},
        {iid::IAVXLayoutRecord, "IAVXLayoutRecord"},
        {iid::IAVXEffect, "IAVXEffect"},
        {iid::IAVXTimeNeighborhood, "IAVXTimeNeighborhood"},
        {iid::IAVXParamAccess, "IAVXParamAccess"},
        {iid::IAVXParamKeys, "IAVXParamKeys"},
        {iid::IAVXInputTrack, "IAVXInputTrack"},
        {iid::IAVXFrameBuffer, "IAVXFrameBuffer"},
        {record_class::PluginRecord, "PluginRecord"},
        {record_class::ComponentRecord, "ComponentRecord"},
        {record_class::ParamRecord, "ParamRecord"},
        {record_class::LayoutRecord, "LayoutRecord"},
        {value_type::Bool, "Bool"},
        {value_type::Int, "Int"},
        {value_type::Double, "Double"},
        {value_type::String, "String"},
        {value_type::Guid, "Guid"},
        {value_type::Triple, "Triple"},
        {frame_request::InputTrackKind, "InputTrackKind"},
        {frame_request::OutputFrameKind, "OutputFrameKind"},
        {attribute::Value, "Value"},
        {attribute::Min, "Min"},
        {attribute::Max, "Max"},
        {attribute::SliderFlag, "SliderFlag"},
        {attribute::EnabledBy, "EnabledBy"},
        {attribute::GroupFlag, "GroupFlag"},
        {attribute::PluginDescription, "PluginDescription"},
        {attribute::ComponentCategory, "Category"},
    };
    for (const Named& n : kNames)
        if (n.id == id) return n.name;
    return guidText(id);
}

std::string utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string utf16(std::string_view text) {
    std::u16string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            c = b;
        } else if ((b >> 5) == 0x6) {
            len = 2;
        } else if ((b >> 4) == 0xE) {
            len = 3;
        } else if ((b >> 3) == 0x1E) {
            len = 4;
        }
        if (len > 1) {
            if (i + len > text.size()) {
                len = text.size() - i;
            } else {
                c = b & (0x7F >> len);
                for (size_t k = 1; k < len; ++k)
                    c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            }
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += len;
    }
    return out;
}

std::u16string copyWide(const char16_t* text) { return text ? std::u16string(text) : u""; }

// Built by appending: prepending a literal to a temporary trips g++ 12's -Wrestrict at -O3.
std::string quoted(std::u16string_view text) {
    std::string out(1, '\'');
    out += utf8(text);
    out += '\'';
    return out;
}

}  // namespace testhost

#include "packager/version_block.h"

#include <algorithm>
#include <functional>

#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr uint32_t kFixedSignature = 0xFEEF04BD;

size_t align4(size_t at) { return (at + 3) & ~size_t{3}; }

struct Node {
    size_t start = 0, end = 0;
    uint16_t value_length = 0;
    std::string key;
    size_t value = 0, children = 0;
};

// Reads the node at `at` within [at, limit); false when it does not fit.
bool read_node(const Bytes& block, size_t at, size_t limit, bool text_value, Node* node) {
    if (at + 6 > limit) return false;
    const size_t length = read_u16(block, at);
    if (length < 6 || at + length > limit) return false;
    node->start = at;
    node->end = at + length;
    node->value_length = read_u16(block, at + 2);
    size_t p = at + 6;
    node->key.clear();
    for (;;) {
        if (p + 2 > node->end) return false;
        const uint16_t c = read_u16(block, p);
        p += 2;
        if (c == 0) break;
        node->key.push_back(static_cast<char>(c < 256 ? c : '?'));
    }
    node->value = align4(p);
    const size_t value_bytes = text_value ? size_t{node->value_length} * 2 : node->value_length;
    if (node->value + value_bytes > node->end) return false;
    node->children = std::min(node->end, align4(node->value + value_bytes));
    return true;
}

// Calls `visit` for every String node (depth 3 below the root: StringFileInfo,
// StringTable, String). False when the block is malformed.
bool each_string(const Bytes& block, const std::function<void(const Node&)>& visit) {
    Node root;
    if (!read_node(block, 0, block.size(), false, &root)) return false;
    for (size_t at = root.children; at + 6 <= root.end;) {
        Node info;
        if (!read_node(block, at, root.end, false, &info)) return false;
        if (info.key == "StringFileInfo") {
            for (size_t t = info.children; t + 6 <= info.end;) {
                Node table;
                if (!read_node(block, t, info.end, false, &table)) return false;
                for (size_t s = table.children; s + 6 <= table.end;) {
                    Node string;
                    if (!read_node(block, s, table.end, true, &string)) return false;
                    visit(string);
                    s = align4(string.end);
                }
                t = align4(table.end);
            }
        }
        at = align4(info.end);
    }
    return true;
}

uint16_t clamp_part(const std::string& text) {
    const int32_t n = text_to_number(text);
    return static_cast<uint16_t>(std::min(std::max(n, 0), 65535));
}

}  // namespace

bool version_wanted(const VersionTexts& texts) {
    return !texts.version.empty() || !texts.copyright.empty() || !texts.description.empty();
}

bool patch_version_block(Bytes* block, const VersionTexts& texts) {
    Node root;
    if (!read_node(*block, 0, block->size(), false, &root) || root.value_length < 52 ||
        read_u32(*block, root.value) != kFixedSignature)
        return false;
    const uint32_t high = uint32_t{clamp_part(list_item(texts.version, '.', 0))} << 16 |
                          clamp_part(list_item(texts.version, '.', 1));
    put_u32(block, root.value + 8, high);
    put_u32(block, root.value + 12, 0);
    put_u32(block, root.value + 16, high);
    put_u32(block, root.value + 20, 0);
    return each_string(*block, [&](const Node& node) {
        const std::string* text = node.key == "LegalCopyright"    ? &texts.copyright
                                  : node.key == "FileDescription" ? &texts.description
                                                                  : nullptr;
        if (!text || text->empty() || node.value_length == 0) return;
        const size_t room = node.value_length - 1u;  // keep the terminating NUL
        for (size_t i = 0; i < node.value_length; ++i) {
            const uint16_t c = i < room && i < text->size() ? static_cast<uint8_t>((*text)[i]) : 0;
            put_u16(block, node.value + 2 * i, c);
        }
    });
}

bool version_string(const Bytes& block, const std::string& key, std::string* value) {
    bool found = false;
    bool ok = each_string(block, [&](const Node& node) {
        if (found || node.key != key) return;
        found = true;
        value->clear();
        for (size_t i = 0; i < node.value_length; ++i) {
            const uint16_t c = read_u16(block, node.value + 2 * i);
            if (c == 0) break;
            value->push_back(static_cast<char>(c));
        }
    });
    return ok && found;
}

}  // namespace zorbel

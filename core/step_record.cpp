#include "core/step_record.h"

namespace zorbel {

void pack_step(const Step& step, PackedStep* out) {
    std::memset(out, 0, sizeof(*out));
    std::memcpy(out->action, step.action, sizeof(out->action));
    out->family = step.family;
    out->icon = step.icon;
    out->options = step.options;
    std::memcpy(out->timeout, step.timeout, sizeof(out->timeout));
    std::memcpy(out->value, step.value, sizeof(out->value));
    out->status = step.status;
    out->indents = step.indents;
    std::memcpy(out->onfail, step.onfail, sizeof(out->onfail));
    out->onfail_image = step.onfail_image;
    out->onfail_log = step.onfail_log;
    std::memcpy(out->onfail_label, step.onfail_label, sizeof(out->onfail_label));
    std::memcpy(out->variable, step.variable, sizeof(out->variable));
    out->embedded_id = step.embedded_id;
    out->embedded_kind = step.embedded_kind;
    out->text_size = step.text_size;
}

// Copies a fixed packed field and makes sure it ends in a NUL, whatever the bytes held.
template <size_t N>
static void copy_packed_field(char (&to)[N], const char (&from)[N]) {
    std::memcpy(to, from, N);
    to[N - 1] = '\0';
}

Step unpack_step(const PackedStep& packed, std::string text, std::string comment) {
    Step step;
    copy_packed_field(step.action, packed.action);
    step.family = packed.family;
    step.icon = packed.icon;
    step.text = std::move(text);
    step.comment = std::move(comment);
    step.options = packed.options;
    copy_packed_field(step.timeout, packed.timeout);
    for (int i = 0; i < kValueCount; ++i) copy_packed_field(step.value[i], packed.value[i]);
    step.status = packed.status;
    step.indents = packed.indents;
    copy_packed_field(step.onfail, packed.onfail);
    step.onfail_image = packed.onfail_image;
    step.onfail_log = packed.onfail_log;
    copy_packed_field(step.onfail_label, packed.onfail_label);
    copy_packed_field(step.variable, packed.variable);
    step.embedded_id = packed.embedded_id;
    step.embedded_kind = packed.embedded_kind;
    step.text_size = packed.text_size;
    return step;
}

}  // namespace zorbel

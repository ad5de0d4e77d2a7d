// The mail payload: the MAILTO form (softbank, au), one line per element,
// and the MATMSG form (docomo), semicolon-separated with backslash escapes;
// the smartphone mailto: URI takes the MATMSG fields before their escaping.
#include <cstring>

#include "payload/composer.h"

namespace {

const int32_t kMailAddressRoom = kFieldBufferBytes;

// Scratch slots of the mail fields.
char* to_field() { return g_scratch.fields[0]; }
char* address_field() { return g_scratch.fields[1]; }
char* subject_field() { return g_scratch.fields[2]; }

void write_mailto(const char* address, const char* subject, const char* body) {
    append_element("MAILTO:", address, "\r\n", true);
    append_element("SUBJECT:", subject, "\r\n", false);
    append_element("BODY:", body, "\r\n", false);
}

void write_matmsg(char* address, char* subject, char* body) {
    escape_field(address, kMailAddressRoom, 1);
    escape_field(subject, kFieldBufferBytes, 1);
    escape_field(body, kBodyLimit, 1);
    append_element("MATMSG:TO:", address, ";", true);
    append_element("SUB:", subject, ";", false);
    append_element("BODY:", body, ";", false);
    append_element(";", "", "", true);
}

}  // namespace

int32_t compose_mail() {
    // The smartphone mail reads the fields as the MATMSG form does.
    bool smartphone = g_form.carrier == Utf8 && g_form.utf8forms != 0;
    int32_t carrier = smartphone ? Docomo : g_form.carrier;
    if (carrier != Softbank && carrier != Docomo && carrier != Au) return 0;
    read_form_field(ControlTo, to_field(), kFieldLimit);
    read_form_field(ControlSubject, subject_field(), kFieldLimit);
    read_form_field(ControlBody, g_scratch.body, kBodyLimit);
    // Phones read the body as one line in the MAILTO form.
    if (carrier != Docomo) replace_text(g_scratch.body, kBodyLimit, "\r\n", "", 1);
    cut_at_char(address_field(), to_field(), ' ', 0);
    normalise_mail_address(address_field(), static_cast<int32_t>(std::strlen(address_field())));
    if (!address_field()[0] && !subject_field()[0] && !g_scratch.body[0]) return fail_composition(ErrorNoText, 0);
    if (smartphone) return compose_mailto_uri(address_field(), subject_field(), g_scratch.body);
    if (carrier == Docomo) {
        write_matmsg(address_field(), subject_field(), g_scratch.body);
    } else {
        write_mailto(address_field(), subject_field(), g_scratch.body);
    }
    return 0;
}

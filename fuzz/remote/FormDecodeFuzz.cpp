// Any bytes as a form body, a quoted-printable text and a packed script: the decoders never
// crash, and what they accept encodes back to a text that decodes to the same thing.
#include "remote/FormEncoding.h"
#include "remote/PackScript.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tv::remote;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    const FormDecodeResult form = formDecode(input);
    if (form.ok) {
        const FormDecodeResult again = formDecode(formEncode(form.fields));
        // an empty body and a body of one empty field encode alike
        if (!again.ok || (again.fields != form.fields && !(form.fields.size() == 1 && form.fields[0] == FormField{})))
            std::abort();
    }

    const UnpackResult qp = quotedPrintableDecode(input);
    if (qp.ok) {
        const UnpackResult again = quotedPrintableDecode(quotedPrintableEncode(qp.data));
        if (!again.ok || again.data != qp.data)
            std::abort();
    }

    const UnpackResult script = unpackScript(input);
    if (script.ok && unpackScript(packScript(script.data)).data != script.data)
        std::abort();
    return 0;
}

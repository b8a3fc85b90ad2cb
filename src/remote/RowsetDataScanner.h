// Reads the rows of a rowset's data section straight from its UTF-8 bytes. An answer's bulk is
// millions of escaped attribute characters that a general XML reader takes one at a time; this
// scanner copies plain runs whole and checks the section as strictly as XML requires.
#pragma once

#include "remote/Rowset.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace tv::remote::rowsetxml {

struct NamespaceBinding {
    QByteArray prefix; ///< empty for the default namespace
    QString uri;
};

struct DataScan {
    bool ok = false;
    qsizetype end = 0; ///< offset of the section's end tag when ok
    QString message;
};

/// Reads the content of the data section starting at byte `begin` of `xml` up to its end tag
/// `</dataName>`, appending a row to `rowset` per row element. `scope` holds the namespace
/// bindings in force at the section; `attrNames` the attribute name of each column.
DataScan scanRowsetData(const QByteArray& xml, qsizetype begin, const QByteArray& dataName,
                        const QList<NamespaceBinding>& scope, const QStringList& attrNames, Rowset& rowset);

} // namespace tv::remote::rowsetxml

// One prepared statement on an attachment: binds the caller's values in the types they carry
// (the engine converts them to the parameters' types), writes and reads blobs, and fetches
// every row of an answer. Used only by Connection.
#pragma once

#include "store/Connection.h"

#include <ibase.h>
#include <vector>

namespace tv::store {

class FbStatement {
public:
    FbStatement() = default;
    ~FbStatement();
    FbStatement(const FbStatement&) = delete;
    FbStatement& operator=(const FbStatement&) = delete;

    StoreResult prepare(isc_db_handle* db, isc_tr_handle* tr, const QByteArray& sql);
    /// Executes with `params`; for a select, fills `rows` with the whole answer.
    StoreResult run(isc_db_handle* db, isc_tr_handle* tr, const QVariantList& params, Rows* rows);
    bool isDdl() const { return m_type == isc_info_sql_stmt_ddl; }

private:
    StoreResult bind(isc_db_handle* db, isc_tr_handle* tr, const QVariantList& params);
    StoreResult fetchAll(isc_db_handle* db, isc_tr_handle* tr, Rows* rows);
    StoreResult readColumn(isc_db_handle* db, isc_tr_handle* tr, const XSQLVAR& var, QVariant* value);

    isc_stmt_handle m_stmt = 0;
    int m_type = 0;
    std::vector<char> m_inArea;   // XSQLDA of the parameters
    std::vector<char> m_outArea;  // XSQLDA of the columns
    std::vector<char> m_outData;  // column buffers
    std::vector<QByteArray> m_paramBytes;
    std::vector<char> m_paramData;
    std::vector<short> m_paramNulls;
    std::vector<short> m_outNulls;
};

} // namespace tv::store

#include "tools/batch/document_commands.h"

#include "document/document_file.h"
#include "document/tarn_doc.h"

bool OpenBatchDocument(CTarnDoc& doc, const std::string& path, Messages& messages)
{
    if (!OpenDocument(doc, path, messages))
        return false;
    doc.m_pathName = path;
    return true;
}

bool SaveBatchDocument(CTarnDoc& doc, const std::string& path, Messages& messages)
{
    if (!SaveDocument(doc, path, messages))
        return false;
    doc.m_pathName = path;
    doc.SetModifiedFlag(false);
    return true;
}

#include "Document.h"

DocumentState documentState;

void ClearTable()
{
    EntryTable().swap(documentState.table);
}

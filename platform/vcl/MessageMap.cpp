// Finding a message method: the class's own table first, then its ancestors'.

#include "vcl/MessageMap.h"

TMessageThunk TMessageTable::Find(UINT Msg) const {
  for (const TMessageTable* table = this; table; table = table->Parent)
    for (const TMessageEntry& entry : table->Entries)
      if (entry.Msg == Msg) return entry.Handler;
  return nullptr;
}

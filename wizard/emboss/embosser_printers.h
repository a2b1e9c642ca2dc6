#pragma once

// The printer queues whose driver is an embosser driver, in the spooler's
// order: each name NUL-terminated, the whole ended by an extra NUL. Null
// when none qualifies or memory runs out. Free with FreeEmbosserList.
char* EnumEmbossers();
void FreeEmbosserList(char* pList);

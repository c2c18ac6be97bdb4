#pragma once

namespace db {

class Transaction;

// A table whose creation dies inside its commit (the process killed, or the
// commit's deferred work failing) leaves its pointer and index root pages
// listed in RDB$PAGES under a relation id that no table holds: the engine
// writes those rows outside the transaction and never takes them back. The
// engine then hands that same id to the next table created, which inherits
// the leftover pages next to its own and cannot take its indexes ("cannot
// create index").
//
// When the id the engine will hand out next carries such leftovers, this
// creates a scratch table on it and drops it again (each in a commit of its
// own, through the transaction's retaining commit): the drop erases every
// RDB$PAGES row of the id and moves the engine on to the next one. A scratch
// table left by an earlier interrupted cleanup is dropped first. Returns
// true when it had something to clean; raises DatabaseError when a
// statement or commit fails, after undoing the uncommitted part. The
// transaction must hold no uncommitted work of the caller.
bool releaseOrphanRelationPages(Transaction &transaction);

} // namespace db

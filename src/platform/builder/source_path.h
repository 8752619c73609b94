#pragma once

#include <cstddef>
#include <vector>

#include "platform/builder/ast.h"

namespace tavrello::builder {

// Where a data source sits in a SELECT's FROM clause: the FROM entry, then
// the position in its join chain (0 the first source, k the source of join
// k), then positions inside parenthesised joins.
using SourcePath = std::vector<std::size_t>;

// Every data source of the FROM clause, in the order written. Parenthesised
// joins are entered, not listed themselves.
std::vector<SourcePath> listSources(const SelectCore& core);

// The source at path, or nullptr when there is none.
const TableSource* findSource(const SelectCore& core, const SourcePath& path);
TableSource* findSource(SelectCore& core, const SourcePath& path);

// The join step whose source is at path (nullptr for the first source of a
// chain), and the chain that holds it.
JoinStep* findJoinStep(SelectCore& core, const SourcePath& path);
const JoinStep* findJoinStep(const SelectCore& core, const SourcePath& path);
FromItem* findChain(SelectCore& core, const SourcePath& path);

// The name that qualifies the source's columns: its alias, else the last
// part of the table or function name.
Identifier referenceName(const TableSource& source);

}  // namespace tavrello::builder

#include "platform/builder/source_path.h"

namespace tavrello::builder {

namespace {

void collect(const FromItem& item, SourcePath& prefix, std::vector<SourcePath>& out) {
  auto visit = [&](const TableSource& source, std::size_t position) {
    prefix.push_back(position);
    if (source.kind == TableSource::Kind::Nested) {
      collect(*source.nested, prefix, out);
    } else {
      out.push_back(prefix);
    }
    prefix.pop_back();
  };
  visit(item.first, 0);
  for (std::size_t k = 0; k < item.joins.size(); ++k) visit(item.joins[k].source, k + 1);
}

// Follows path into chains; returns the chain and the position in it.
template <class Core, class Chain>
Chain* walk(Core& core, const SourcePath& path, std::size_t& position) {
  if (path.size() < 2 || path[0] >= core.from.size()) return nullptr;
  Chain* chain = &core.from[path[0]];
  for (std::size_t i = 1; i < path.size(); ++i) {
    std::size_t at = path[i];
    if (at > chain->joins.size()) return nullptr;
    if (i + 1 == path.size()) {
      position = at;
      return chain;
    }
    auto& source = at == 0 ? chain->first : chain->joins[at - 1].source;
    if (source.kind != TableSource::Kind::Nested) return nullptr;
    chain = &*source.nested;
  }
  return nullptr;
}

}  // namespace

std::vector<SourcePath> listSources(const SelectCore& core) {
  std::vector<SourcePath> out;
  for (std::size_t i = 0; i < core.from.size(); ++i) {
    SourcePath prefix{i};
    collect(core.from[i], prefix, out);
  }
  return out;
}

const TableSource* findSource(const SelectCore& core, const SourcePath& path) {
  std::size_t position = 0;
  const FromItem* chain = walk<const SelectCore, const FromItem>(core, path, position);
  if (!chain) return nullptr;
  return position == 0 ? &chain->first : &chain->joins[position - 1].source;
}

TableSource* findSource(SelectCore& core, const SourcePath& path) {
  return const_cast<TableSource*>(findSource(static_cast<const SelectCore&>(core), path));
}

const JoinStep* findJoinStep(const SelectCore& core, const SourcePath& path) {
  std::size_t position = 0;
  const FromItem* chain = walk<const SelectCore, const FromItem>(core, path, position);
  if (!chain || position == 0) return nullptr;
  return &chain->joins[position - 1];
}

JoinStep* findJoinStep(SelectCore& core, const SourcePath& path) {
  return const_cast<JoinStep*>(findJoinStep(static_cast<const SelectCore&>(core), path));
}

FromItem* findChain(SelectCore& core, const SourcePath& path) {
  std::size_t position = 0;
  return walk<SelectCore, FromItem>(core, path, position);
}

Identifier referenceName(const TableSource& source) {
  if (!source.alias.empty()) return source.alias;
  if (source.kind == TableSource::Kind::Table && !source.name.empty()) return source.name.back();
  if (source.kind == TableSource::Kind::Function && source.function && !source.function->name.empty()) {
    return source.function->name.back();
  }
  return {};
}

}  // namespace tavrello::builder

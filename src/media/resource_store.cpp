#include "media/resource_store.h"

#include <deque>

namespace {

struct Store {
  std::deque<ResourceEntry> entries;  // stable addresses for the list links
  const ResourceEntry* head = nullptr;  // newest entry first
};

Store& TheStore() {
  static Store store;
  return store;
}

}  // namespace

int RegisterResource(const std::string& name, const uint8_t* bytes, size_t length) {
  if (FindResource(name)) return 0;
  Store& s = TheStore();
  s.entries.push_back(ResourceEntry{name, bytes, length, s.head});
  s.head = &s.entries.back();
  return 1;
}

const ResourceEntry* FindResource(const std::string& name) {
  for (const ResourceEntry* e = TheStore().head; e; e = e->next)
    if (e->name == name) return e;
  return nullptr;
}

const uint8_t* ResourceBytes(const std::string& name) {
  const ResourceEntry* e = FindResource(name);
  return e ? e->bytes : nullptr;
}

size_t ResourceLength(const std::string& name) {
  const ResourceEntry* e = FindResource(name);
  return e ? e->length : 0;
}

std::vector<std::string> ResourceNames() {
  std::vector<std::string> names;
  for (const ResourceEntry* e = TheStore().head; e; e = e->next) names.push_back(e->name);
  return names;
}

void ClearResources() {
  TheStore().entries.clear();
  TheStore().head = nullptr;
}

#include "rtl/ClassRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "rtl/SysUtils.h"

namespace {

struct TClassGroup {
  std::vector<TClass> GroupClasses;  // the classes whose descendants belong here
  std::vector<TClass> Classes;       // the registered ones
  bool Active = true;
};

struct TRegistry {
  std::recursive_mutex Lock;
  std::vector<TClassGroup> Groups{TClassGroup{{TPersistent::ClassInfo()}, {}, true}};
  TClass ActiveClass = nullptr;
};

// Made on first use, so that no static constructor runs before the units start.
TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

Integer Depth(TClass c) {
  Integer depth = 0;
  for (; c; c = c->Parent) ++depth;
  return depth;
}

// The group whose group class is the nearest ancestor of AClass (the TPersistent group at worst).
TClassGroup& GroupFor(TRegistry& r, TClass AClass) {
  TClassGroup* best = &r.Groups.front();
  Integer bestDepth = -1;
  for (TClassGroup& group : r.Groups)
    for (TClass groupClass : group.GroupClasses)
      if (AClass->InheritsFrom(groupClass) && Depth(groupClass) > bestDepth) {
        best = &group;
        bestDepth = Depth(groupClass);
      }
  return *best;
}

bool Contains(const std::vector<TClass>& list, TClass c) {
  return std::find(list.begin(), list.end(), c) != list.end();
}

bool IsRegistered(TRegistry& r, TClass AClass) {
  return std::any_of(r.Groups.begin(), r.Groups.end(),
                     [AClass](const TClassGroup& g) { return Contains(g.Classes, AClass); });
}

// After the group classes change, each registered class moves to the group it now belongs to.
void Regroup(TRegistry& r) {
  std::vector<TClass> all;
  for (TClassGroup& group : r.Groups) {
    all.insert(all.end(), group.Classes.begin(), group.Classes.end());
    group.Classes.clear();
  }
  for (TClass c : all) GroupFor(r, c).Classes.push_back(c);
}

}  // namespace

void RegisterClass(TPersistentClass AClass) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  for (TClass c = AClass; c && !IsRegistered(r, c); c = c->Parent) {
    TClassGroup& group = GroupFor(r, c);
    for (TClass other : group.Classes)
      if (SameText(other->Name, c->Name))
        throw EFilerError(Format("A class named %s already exists", c->Name));
    group.Classes.push_back(c);
    if (c == TPersistent::ClassInfo()) break;
  }
}

void RegisterClasses(std::initializer_list<TPersistentClass> AClasses) {
  for (TPersistentClass c : AClasses) RegisterClass(c);
}

void UnRegisterClass(TPersistentClass AClass) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  for (TClassGroup& group : r.Groups) std::erase(group.Classes, static_cast<TClass>(AClass));
}

void UnRegisterClasses(std::initializer_list<TPersistentClass> AClasses) {
  for (TPersistentClass c : AClasses) UnRegisterClass(c);
}

TPersistentClass GetClass(const String& AClassName) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  for (const TClassGroup& group : r.Groups) {
    if (!group.Active) continue;
    for (TClass c : group.Classes)
      if (SameText(c->Name, AClassName)) return c;
  }
  return nullptr;
}

TPersistentClass FindClass(const String& AClassName) {
  TPersistentClass result = GetClass(AClassName);
  if (!result) throw EClassNotFound(Format("Class %s not found", AClassName));
  return result;
}

void StartClassGroup(TPersistentClass AClass) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  for (const TClassGroup& group : r.Groups)
    if (Contains(group.GroupClasses, AClass)) return;
  TClassGroup group;
  group.GroupClasses.push_back(AClass);
  group.Active = r.ActiveClass == nullptr;
  r.Groups.push_back(std::move(group));
  Regroup(r);
}

void GroupDescendentsWith(TPersistentClass AClass, TPersistentClass AClassGroup) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  if (AClass == TPersistent::ClassInfo() || Contains(GroupFor(r, AClassGroup).GroupClasses, AClass)) return;
  // A class leads one group at most; a group left without classes of its own ends.
  for (TClassGroup& group : r.Groups) {
    std::erase(group.GroupClasses, static_cast<TClass>(AClass));
    if (group.GroupClasses.empty()) {
      auto& keep = r.Groups.front().Classes;
      keep.insert(keep.end(), group.Classes.begin(), group.Classes.end());
      group.Classes.clear();
    }
  }
  std::erase_if(r.Groups, [](const TClassGroup& g) { return g.GroupClasses.empty(); });
  GroupFor(r, AClassGroup).GroupClasses.push_back(AClass);
  Regroup(r);
}

TPersistentClass ClassGroupOf(TPersistentClass AClass) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  return GroupFor(r, AClass).GroupClasses.front();
}

TPersistentClass ActivateClassGroup(TPersistentClass AClass) {
  TRegistry& r = Registry();
  std::lock_guard lock(r.Lock);
  TClass previous = r.ActiveClass;
  r.ActiveClass = AClass;
  TClassGroup* chosen = AClass ? &GroupFor(r, AClass) : nullptr;
  for (TClassGroup& group : r.Groups)
    group.Active = !chosen || &group == chosen || &group == &r.Groups.front();
  return previous;
}

#pragma once
// The registry of classes that streaming creates by name, with the framework's class groups.
//
// Every persistent class is in one group: the group whose group class is its nearest ancestor
// among all groups' classes. The first group, of TPersistent, always exists and is always active.
// StartClassGroup opens a group for a class and its descendants; GroupDescendentsWith puts a class
// and its descendants into the group of another class. Lookups by name search the active groups:
// all of them until ActivateClassGroup picks one (a designer's concern; the program never does).
// Names compare case-insensitively, as identifiers do.

#include <initializer_list>

#include "rtl/Persistent.h"

// Registers the class and each of its ancestors not yet registered. A different class of the same
// name in the same group raises EFilerError "A class named %s already exists".
void RegisterClass(TPersistentClass AClass);
void RegisterClasses(std::initializer_list<TPersistentClass> AClasses);
void UnRegisterClass(TPersistentClass AClass);
void UnRegisterClasses(std::initializer_list<TPersistentClass> AClasses);

// nullptr when no active group holds the name.
TPersistentClass GetClass(const String& AClassName);
// Raises EClassNotFound "Class %s not found".
TPersistentClass FindClass(const String& AClassName);

void StartClassGroup(TPersistentClass AClass);
void GroupDescendentsWith(TPersistentClass AClass, TPersistentClass AClassGroup);
// The group class of the group that AClass belongs to.
TPersistentClass ClassGroupOf(TPersistentClass AClass);
// Makes the group of AClass (with the TPersistent group) the only active ones; nullptr activates
// every group again. Answers the class that was active before, nullptr for "all".
TPersistentClass ActivateClassGroup(TPersistentClass AClass);

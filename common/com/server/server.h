// The COM server kit: everything an in-process server of this project
// needs besides its own classes.
//
//   class_entry.h       ClassEntry, Server, thisServer(): the class table
//   object.h            ComObject, InterfaceMap, createObject: COM identity
//   dual_type_info.h    DualDispatch<I>: IDispatch from the type library
//   connection_point.h  ConnectionPoint, ConnectionPointContainer: events
//   type_library.h      the module's embedded type libraries
//   registration.h      registration for the machine or the current user
//   exports.cpp         DllGetClassObject, DllCanUnloadNow, DllRegisterServer,
//                       DllUnregisterServer, DllInstall ("user": per user)
//
// A new server is its IDL, its classes and its class table:
//
//   // thing.h: a class derives from its interfaces and lists them.
//   class Thing : public pkw::com::DualDispatch<IThing>,
//                 public pkw::com::ConnectionPointContainer {
//   public:
//       using Interfaces =
//           pkw::com::InterfaceMap<IThing, IDispatch, IConnectionPointContainer>;
//       STDMETHODIMP get_Size(LONG* size) noexcept override;    // IThing
//   private:
//       pkw::com::ConnectionPoint* connectionPoint(std::size_t i) noexcept override {
//           return i == 0 ? &events_ : nullptr;
//       }
//       pkw::com::ConnectionPoint events_{*this, DIID_DThingEvents,
//                                         pkw::com::SinkKind::Dispatch};
//   };
//
//   // class_table.cpp: the one table.
//   const pkw::com::ClassEntry kThing{&CLSID_Thing, L"Thing",
//                                     &pkw::com::createObject<Thing>};
//   const pkw::com::ClassEntry* const kClasses[] = {&kThing};
//   const pkw::com::Server& pkw::com::thisServer() {
//       static const Server server{L"zelThing40", kClasses};  // ProgID zelThing40.Thing
//       return server;
//   }
//
//   # CMakeLists.txt: the IDL's type library is resource TYPELIB 1 of the .rc.
//   pickwell_add_typelib(zelThing40_idl IDL zelThing40.idl)
//   pickwell_add_com_server(zelThing40 OUTPUT_NAME zelThing40
//       SOURCES class_table.cpp thing.cpp zelThing40.rc LIBS zelThing40_idl)
//   pickwell_embed_typelib(zelThing40 zelThing40_idl zelThing40.rc)
//
// A class that must not be registered (a private control) has
// Registration::None; a private type library for such classes is TYPELIB 2
// of the same .rc, found by type_library.h and never registered.
#pragma once

#include "common/com/server/class_entry.h"
#include "common/com/server/connection_point.h"
#include "common/com/server/dual_type_info.h"
#include "common/com/server/object.h"
#include "common/com/server/type_library.h"

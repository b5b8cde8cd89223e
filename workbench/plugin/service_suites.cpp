// The basic, blocks, user, folders, document, undo and action manager suites.
#include <cstring>
#include <filesystem>
#include <string>

#include "workbench/plugin/plugin_module.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {

namespace {

using detail::CurrentDocument;
using detail::CurrentHost;
using detail::Guard;

constexpr const char* kBasicBlockTag = "basic suite block";

// ---- Basic suite -------------------------------------------------------------

QvErr AcquireSuite(const char* name, std::int32_t version, const void** suite) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr) {
      if (suite != nullptr) *suite = nullptr;
      return kQvErrSuiteNotFound;
    }
    return host->Suites().Acquire(name, version, suite);
  });
}

QvErr ReleaseSuite(const char* name, std::int32_t version) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    return host != nullptr ? host->Suites().Release(name, version) : kQvErrSuiteNotFound;
  });
}

QvErr IsEqual(const char* a, const char* b, QvBool* equal) {
  if (a == nullptr || b == nullptr || equal == nullptr) return kQvErrBadParameter;
  *equal = std::strcmp(a, b) == 0;
  return kQvNoErr;
}

QvErr BasicAllocate(std::int64_t size, void** block) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Blocks().Allocate(size, kBasicBlockTag, block) : kQvErrInternal;
}

QvErr BasicFree(void* block) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Blocks().Free(block) : kQvErrInternal;
}

QvErr BasicReallocate(void* block, std::int64_t newSize, void** newBlock) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Blocks().Reallocate(block, newSize, kBasicBlockTag, newBlock) : kQvErrInternal;
}

// ---- Blocks suite ------------------------------------------------------------

QvErr BlocksAllocate(std::int64_t size, const char* tag, void** block) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Blocks().Allocate(size, tag, block) : kQvErrInternal;
}

QvErr BlocksReallocate(void* block, std::int64_t newSize, const char* tag, void** newBlock) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Blocks().Reallocate(block, newSize, tag, newBlock) : kQvErrInternal;
}

QvErr BlocksSize(void* block, std::int64_t* size) {
  Host* host = CurrentHost();
  if (host == nullptr || size == nullptr) return kQvErrBadParameter;
  auto known = host->Blocks().SizeOf(block);
  if (!known) return kQvErrBadBlock;
  *size = *known;
  return kQvNoErr;
}

// ---- User suite --------------------------------------------------------------

QvErr ShowPrompt(PromptKind kind, const char* message, QvBool* yes) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr || message == nullptr) return kQvErrBadParameter;
    bool answer = false;
    QvErr err = host->Prompts().Show(kind, message, &answer);
    if (err == kQvNoErr && yes != nullptr) *yes = answer;
    return err;
  });
}

QvErr MessageAlert(const char* message) { return ShowPrompt(PromptKind::kAlert, message, nullptr); }
QvErr ErrorAlert(const char* message) { return ShowPrompt(PromptKind::kError, message, nullptr); }
QvErr YesNoAlert(const char* message, QvBool* yes) {
  if (yes == nullptr) return kQvErrBadParameter;
  return ShowPrompt(PromptKind::kQuestion, message, yes);
}

// ---- Folders suite -----------------------------------------------------------

QvErr GetPreferencesFolder(char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr || host->PreferencesFolder().empty()) return kQvErrInternal;
    std::error_code ec;
    std::filesystem::create_directories(host->PreferencesFolder(), ec);
    if (ec) return kQvErrInternal;
    std::string text = host->PreferencesFolder().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return detail::CopyText(text, buffer, capacity, length);
  });
}

// ---- Document suite ----------------------------------------------------------

QvErr RedrawDocument() {
  Host* host = CurrentHost();
  if (host == nullptr || host->Document() == nullptr) return kQvErrNoDocument;
  host->RequestRedraw();
  return kQvNoErr;
}

QvErr HasDocument(QvBool* has) {
  if (has == nullptr) return kQvErrBadParameter;
  *has = CurrentDocument() != nullptr;
  return kQvNoErr;
}

// ---- Undo suite --------------------------------------------------------------

QvErr SetUndoText(const char* undoText, const char* redoText) {
  return Guard([&]() -> QvErr {
    document::Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    if (undoText == nullptr || redoText == nullptr) return kQvErrBadParameter;
    doc->SetUndoText(undoText, redoText);
    return kQvNoErr;
  });
}

QvErr GetUndoText(char* undoBuffer, std::int32_t undoCapacity, char* redoBuffer, std::int32_t redoCapacity) {
  return Guard([&]() -> QvErr {
    document::Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    if (QvErr err = detail::CopyText(doc->UndoText(), undoBuffer, undoCapacity, nullptr)) return err;
    return detail::CopyText(doc->RedoText(), redoBuffer, redoCapacity, nullptr);
  });
}

// ---- Action manager suite ----------------------------------------------------

ParamBlock* BlockOf(QvActionParamValueRef ref) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Actions().FindBlock(ref) : nullptr;
}

QvErr NewParamValue(QvActionParamValueRef* value) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr || value == nullptr) return kQvErrBadParameter;
    *value = reinterpret_cast<QvActionParamValueRef>(host->Actions().NewBlock());
    return kQvNoErr;
  });
}

QvErr DeleteParamValue(QvActionParamValueRef value) {
  Host* host = CurrentHost();
  if (host == nullptr) return kQvErrBadParameter;
  return host->Actions().DeleteBlock(reinterpret_cast<ParamBlock*>(value)) ? kQvNoErr : kQvErrBadParameter;
}

template <typename T>
QvErr SetParam(QvActionParamValueRef ref, QvActionKey key, T value) {
  return Guard([&]() -> QvErr {
    ParamBlock* block = BlockOf(ref);
    if (block == nullptr) return kQvErrBadParameter;
    block->Set(key, std::move(value));
    return kQvNoErr;
  });
}

template <typename T>
const T* GetParam(QvActionParamValueRef ref, QvActionKey key, QvErr* err) {
  ParamBlock* block = BlockOf(ref);
  if (block == nullptr) {
    *err = kQvErrBadParameter;
    return nullptr;
  }
  const T* value = block->Get<T>(key);
  *err = value != nullptr ? kQvNoErr : kQvErrNoSuchKey;
  return value;
}

QvErr SetUnitReal(QvActionParamValueRef ref, QvActionKey key, QvActionKey unit, double real) {
  return SetParam(ref, key, UnitReal{unit, real});
}
QvErr GetUnitReal(QvActionParamValueRef ref, QvActionKey key, QvActionKey* unit, double* real) {
  QvErr err;
  const UnitReal* v = GetParam<UnitReal>(ref, key, &err);
  if (v != nullptr) {
    if (unit != nullptr) *unit = v->unit;
    if (real != nullptr) *real = v->value;
  }
  return err;
}
QvErr SetReal(QvActionParamValueRef ref, QvActionKey key, double real) { return SetParam(ref, key, real); }
QvErr GetReal(QvActionParamValueRef ref, QvActionKey key, double* real) {
  QvErr err;
  const double* v = GetParam<double>(ref, key, &err);
  if (v != nullptr && real != nullptr) *real = *v;
  return err;
}
QvErr SetInteger(QvActionParamValueRef ref, QvActionKey key, std::int32_t integer) {
  return SetParam(ref, key, integer);
}
QvErr GetInteger(QvActionParamValueRef ref, QvActionKey key, std::int32_t* integer) {
  QvErr err;
  const std::int32_t* v = GetParam<std::int32_t>(ref, key, &err);
  if (v != nullptr && integer != nullptr) *integer = *v;
  return err;
}
QvErr SetBoolean(QvActionParamValueRef ref, QvActionKey key, QvBool boolean) {
  return SetParam(ref, key, boolean != 0);
}
QvErr GetBoolean(QvActionParamValueRef ref, QvActionKey key, QvBool* boolean) {
  QvErr err;
  const bool* v = GetParam<bool>(ref, key, &err);
  if (v != nullptr && boolean != nullptr) *boolean = *v;
  return err;
}
QvErr SetEnumerated(QvActionParamValueRef ref, QvActionKey key, const char* name, std::int32_t enumValue) {
  return SetParam(ref, key, Enumerated{name != nullptr ? name : "", enumValue});
}
QvErr GetEnumerated(QvActionParamValueRef ref, QvActionKey key, char* name, std::int32_t capacity,
                    std::int32_t* enumValue) {
  return Guard([&]() -> QvErr {
    QvErr err;
    const Enumerated* v = GetParam<Enumerated>(ref, key, &err);
    if (v == nullptr) return err;
    if (enumValue != nullptr) *enumValue = v->value;
    return name != nullptr ? detail::CopyText(v->name, name, capacity, nullptr) : kQvNoErr;
  });
}
QvErr SetString(QvActionParamValueRef ref, QvActionKey key, const char* text) {
  if (text == nullptr) return kQvErrBadParameter;
  return SetParam(ref, key, std::string(text));
}
QvErr GetString(QvActionParamValueRef ref, QvActionKey key, char* buffer, std::int32_t capacity,
                std::int32_t* length) {
  return Guard([&]() -> QvErr {
    QvErr err;
    const std::string* v = GetParam<std::string>(ref, key, &err);
    return v != nullptr ? detail::CopyText(*v, buffer, capacity, length) : err;
  });
}

// Parameter types only describe a registration; the host keeps nothing in
// them, so a type is an empty parameter block.
QvErr NewParamType(QvActionParamTypeRef* type) {
  QvActionParamValueRef value = nullptr;
  QvErr err = NewParamValue(&value);
  if (type != nullptr) *type = reinterpret_cast<QvActionParamTypeRef>(value);
  return err;
}
QvErr DeleteParamType(QvActionParamTypeRef type) {
  return DeleteParamValue(reinterpret_cast<QvActionParamValueRef>(type));
}

QvErr RegisterActionEvent(const char* eventName, const char* title, std::int32_t, std::int32_t,
                          QvActionParamTypeRef, QvPluginRef self, void* userData) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr || eventName == nullptr || host->FindModule(self) == nullptr) return kQvErrBadParameter;
    std::string name = eventName;
    // The handler looks the module up at play time: it may have been
    // unloaded and reloaded, or be gone, since it registered.
    bool added = host->Actions().Register(
        name, title != nullptr ? title : name, [host, self, name, userData](const ActionPlay& play) -> QvErr {
          PluginModule* module = host->FindModule(self);
          if (module == nullptr || !module->IsLoaded()) return kQvErrNoSuchAction;
          auto ref = reinterpret_cast<QvActionParamValueRef>(const_cast<ParamBlock*>(play.parameters));
          return module->DoAction(name.c_str(), play.dialogMode, ref, userData);
        });
    if (!added) return kQvErrBadParameter;
    host->NoteModuleAction(name);
    return kQvNoErr;
  });
}

QvErr IsActionEventRegistered(const char* eventName, QvBool* registered) {
  Host* host = CurrentHost();
  if (host == nullptr || eventName == nullptr || registered == nullptr) return kQvErrBadParameter;
  *registered = host->Actions().IsRegistered(eventName);
  return kQvNoErr;
}

QvErr PlayActionEvent(const char* eventName, std::int32_t dialogMode, QvActionParamValueRef parameters) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr || eventName == nullptr) return kQvErrBadParameter;
    const ParamBlock* block = nullptr;
    if (parameters != nullptr) {
      block = host->Actions().FindBlock(parameters);
      if (block == nullptr) return kQvErrBadParameter;
    }
    return host->PlayAction(eventName, dialogMode, block);
  });
}

}  // namespace

const QvBasicSuite& BasicSuiteImpl() {
  static const QvBasicSuite suite{AcquireSuite, ReleaseSuite, IsEqual, BasicAllocate, BasicFree, BasicReallocate};
  return suite;
}

const QvBlocksSuite& BlocksSuiteImpl() {
  static const QvBlocksSuite suite{BlocksAllocate, BasicFree, BlocksReallocate, BlocksSize};
  return suite;
}

const QvUserSuite& UserSuiteImpl() {
  static const QvUserSuite suite{MessageAlert, ErrorAlert, YesNoAlert};
  return suite;
}

const QvFoldersSuite& FoldersSuiteImpl() {
  static const QvFoldersSuite suite{GetPreferencesFolder};
  return suite;
}

const QvDocumentSuite& DocumentSuiteImpl() {
  static const QvDocumentSuite suite{RedrawDocument, HasDocument};
  return suite;
}

const QvUndoSuite& UndoSuiteImpl() {
  static const QvUndoSuite suite{SetUndoText, GetUndoText};
  return suite;
}

const QvActionManagerSuite& ActionManagerSuiteImpl() {
  static const QvActionManagerSuite suite{
      NewParamValue, DeleteParamValue, SetUnitReal, GetUnitReal,   SetReal,
      GetReal,       SetInteger,       GetInteger,  SetBoolean,    GetBoolean,
      SetEnumerated, GetEnumerated,    SetString,   GetString,     NewParamType,
      DeleteParamType, RegisterActionEvent, IsActionEventRegistered, PlayActionEvent};
  return suite;
}

void RegisterHostSuites(SuiteRegistry& registry) {
  registry.Add(kQvBasicSuite, kQvBasicSuiteVersion, &BasicSuiteImpl());
  registry.Add(kQvBlocksSuite, kQvBlocksSuiteVersion, &BlocksSuiteImpl());
  registry.Add(kQvUserSuite, kQvUserSuiteVersion, &UserSuiteImpl());
  registry.Add(kQvFoldersSuite, kQvFoldersSuiteVersion, &FoldersSuiteImpl());
  registry.Add(kQvDocumentSuite, kQvDocumentSuiteVersion, &DocumentSuiteImpl());
  registry.Add(kQvUndoSuite, kQvUndoSuiteVersion, &UndoSuiteImpl());
  registry.Add(kQvActionManagerSuite, kQvActionManagerSuiteVersion, &ActionManagerSuiteImpl());
  registry.Add(kQvArtSuite, kQvArtSuiteVersion, &ArtSuiteImpl());
  registry.Add(kQvPathSuite, kQvPathSuiteVersion, &PathSuiteImpl());
  registry.Add(kQvPathStyleSuite, kQvPathStyleSuiteVersion, &PathStyleSuiteImpl());
  registry.Add(kQvLayerSuite, kQvLayerSuiteVersion, &LayerSuiteImpl());
  registry.Add(kQvMatchingArtSuite, kQvMatchingArtSuiteVersion, &MatchingArtSuiteImpl());
  registry.Add(kQvArtSetSuite, kQvArtSetSuiteVersion, &ArtSetSuiteImpl());
  registry.Add(kQvTagSuite, kQvTagSuiteVersion, &TagSuiteImpl());
  registry.Add(kQvCustomColorSuite, kQvCustomColorSuiteVersion, &CustomColorSuiteImpl());
  registry.Add(kQvSwatchListSuite, kQvSwatchListSuiteVersion, &SwatchListSuiteImpl());
  registry.Add(kQvPathConstructionSuite, kQvPathConstructionSuiteVersion, &PathConstructionSuiteImpl());
  registry.Add(kQvTransformArtSuite, kQvTransformArtSuiteVersion, &TransformArtSuiteImpl());
  registry.Add(kQvRealMathSuite, kQvRealMathSuiteVersion, &RealMathSuiteImpl());
  registry.Add(kQvRealBezierSuite, kQvRealBezierSuiteVersion, &RealBezierSuiteImpl());
  registry.Add(kQvHitTestSuite, kQvHitTestSuiteVersion, &HitTestSuiteImpl());
  registry.Add(kQvPathfinderSuite, kQvPathfinderSuiteVersion, &PathfinderSuiteImpl());
  registry.Add(kQvTextSuite, kQvTextSuiteVersion, &TextSuiteImpl());
  registry.Add(kQvMenuSuite, kQvMenuSuiteVersion, &MenuSuiteImpl());
  registry.Add(kQvToolSuite, kQvToolSuiteVersion, &ToolSuiteImpl());
  registry.Add(kQvNotifierSuite, kQvNotifierSuiteVersion, &NotifierSuiteImpl());
  registry.Add(kQvRuntimeSuite, kQvRuntimeSuiteVersion, &RuntimeSuiteImpl());
}

}  // namespace workbench::plugin

/// Action events: parameter blocks keyed by four-character codes, and
/// playing events by name, both the host's own ("ai_plugin_offset",
/// "ai_plugin_pathfinder") and those modules register.
#ifndef QUORVANE_SDK_ACTION_MANAGER_SUITE_H
#define QUORVANE_SDK_ACTION_MANAGER_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvActionManagerSuite "QV Action Manager Suite"
enum { kQvActionManagerSuiteVersion = 1 };

/// How an action event is played: with its dialog, or silently.
enum QvActionDialogMode {
  kQvDialogNone = 0,      /**< the event has no dialog */
  kQvDialogOn = 1,        /**< show the dialog */
  kQvDialogPartialOn = 2, /**< show it only when parameters are missing */
  kQvDialogOff = 3        /**< never show it; use the parameters given */
};

/// A four-character parameter key or unit, QV_FOURCC('o','f','s','t').
typedef uint32_t QvActionKey;

/// Units of unit reals.
#define kQvUnitPoints QV_FOURCC('#', 'P', 'x', 'l')

/// Parameters of the host's offset action "ai_plugin_offset": distance
/// 'ofst' (unit real, points, positive outward), miter limit 'mitr' (real),
/// join 'jntp' (enumerated: 0 round, 1 bevel, 2 miter).
#define kQvOffsetAction "ai_plugin_offset"
#define kQvOffsetKey QV_FOURCC('o', 'f', 's', 't')
#define kQvMiterLimitKey QV_FOURCC('m', 'i', 't', 'r')
#define kQvJoinTypeKey QV_FOURCC('j', 'n', 't', 'p')
enum QvOffsetJoin { kQvOffsetRoundJoin = 0, kQvOffsetBevelJoin = 1, kQvOffsetMiterJoin = 2 };

/// The host's pathfinder action "ai_plugin_pathfinder", on the selection:
/// 'name' (enumerated) selects the operation.
#define kQvPathfinderAction "ai_plugin_pathfinder"
#define kQvPathfinderOperationKey QV_FOURCC('n', 'a', 'm', 'e')
enum QvPathfinderOperation {
  kQvPathfinderUnite = 0,
  kQvPathfinderIntersect = 1,
  kQvPathfinderDivide = 5
};

typedef struct QvActionManagerSuite {
  /// An empty parameter block; free it with DeleteActionParamValue.
  QvErr (*NewActionParamValue)(QvActionParamValueRef* value);
  QvErr (*DeleteActionParamValue)(QvActionParamValueRef value);
  /// A real with a unit (a four-character unit code such as kQvUnitPoints).
  QvErr (*SetUnitReal)(QvActionParamValueRef value, QvActionKey key, QvActionKey unit, double real);
  QvErr (*GetUnitReal)(QvActionParamValueRef value, QvActionKey key, QvActionKey* unit, double* real);
  QvErr (*SetReal)(QvActionParamValueRef value, QvActionKey key, double real);
  QvErr (*GetReal)(QvActionParamValueRef value, QvActionKey key, double* real);
  QvErr (*SetInteger)(QvActionParamValueRef value, QvActionKey key, int32_t integer);
  QvErr (*GetInteger)(QvActionParamValueRef value, QvActionKey key, int32_t* integer);
  QvErr (*SetBoolean)(QvActionParamValueRef value, QvActionKey key, QvBool boolean);
  QvErr (*GetBoolean)(QvActionParamValueRef value, QvActionKey key, QvBool* boolean);
  /// An enumerated value: its display name (UTF-8, may be null) and number.
  QvErr (*SetEnumerated)(QvActionParamValueRef value, QvActionKey key, const char* name, int32_t enumValue);
  /// As GetArtName for the name; either output may be null.
  QvErr (*GetEnumerated)(QvActionParamValueRef value, QvActionKey key, char* name, int32_t capacity,
                         int32_t* enumValue);
  QvErr (*SetString)(QvActionParamValueRef value, QvActionKey key, const char* text);
  QvErr (*GetString)(QvActionParamValueRef value, QvActionKey key, char* buffer, int32_t capacity,
                     int32_t* length);
  /// A parameter type for registrations; it may stay empty.
  QvErr (*NewActionParamType)(QvActionParamTypeRef* type);
  QvErr (*DeleteActionParamType)(QvActionParamTypeRef type);
  /// Registers a module's action event: playing it calls the module's
  /// PluginMain with kQvCallerActionManager / kQvSelectorDoAction.
  /// Registering a name twice is kQvErrBadParameter.
  QvErr (*RegisterActionEvent)(const char* eventName, const char* localizedTitle, int32_t version,
                               int32_t flags, QvActionParamTypeRef parameterType, QvPluginRef self,
                               void* userData);
  QvErr (*IsActionEventRegistered)(const char* eventName, QvBool* registered);
  /// Plays the event with `parameters` (null: none) and a QvActionDialogMode.
  /// Unknown event: kQvErrNoSuchAction. A module event is one undoable step.
  QvErr (*PlayActionEvent)(const char* eventName, int32_t dialogMode, QvActionParamValueRef parameters);
} QvActionManagerSuite;

#ifdef __cplusplus
}
#endif

#endif

// The engine's worker: runs after the module's script and play_parts.js in
// the same worker, so that the search's seconds pass off the page's thread
// and the stones keep moving. Every message gets one reply (PlayParts.
// answerMessage), an error one when the module failed to load.
(function (parts) {
  'use strict';
  var call = null;
  var failure = null;
  var loaded = CurlingModule().then(function (module) {
    call = function (text) { return module.ccall('PlayRequest', 'string', ['string'], [text]); };
  }, function (error) {
    failure = String(error);
  });
  self.onmessage = function (event) {
    loaded.then(function () {
      var data = event.data;
      if (failure !== null) {
        var id = data !== null && typeof data === 'object' && typeof data.id === 'number' ? data.id : null;
        self.postMessage({id: id, error: 'the engine did not load: ' + failure});
        return;
      }
      self.postMessage(parts.answerMessage(call, data));
    });
  };
}(PlayParts));

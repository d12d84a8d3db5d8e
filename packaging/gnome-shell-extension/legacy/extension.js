// zembo's clipboard extension, in the module format of GNOME Shell 43 and 44. It owns the name
// org.zembo.Clipboard on the session bus and emits Changed (without the text) each time the
// clipboard changes; GetText answers with the clipboard's text for the program that asks.
'use strict';

const { Gio, GLib, Meta, St } = imports.gi;

const busName = 'org.zembo.Clipboard';
const objectPath = '/org/zembo/Clipboard';
const busInterface = `<node>
  <interface name="org.zembo.Clipboard">
    <method name="GetText"><arg type="s" direction="out" name="text"/></method>
    <signal name="Changed"/>
  </interface>
</node>`;

class ClipboardService {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(busInterface, this);
        this._object.export(Gio.DBus.session, objectPath);
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, busName,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._selection = global.display.get_selection();
        this._handler = this._selection.connect('owner-changed', (selection, type) => {
            if (type === Meta.SelectionType.SELECTION_CLIPBOARD)
                this._object.emit_signal('Changed', null);
        });
    }

    disable() {
        this._selection.disconnect(this._handler);
        Gio.bus_unown_name(this._name);
        this._object.unexport();
        this._object = null;
        this._selection = null;
    }

    GetTextAsync(parameters, invocation) {
        St.Clipboard.get_default().get_text(St.ClipboardType.CLIPBOARD, (clipboard, text) => {
            invocation.return_value(new GLib.Variant('(s)', [text ?? '']));
        });
    }
}

// eslint-disable-next-line no-unused-vars
function init() {
    return new ClipboardService();
}

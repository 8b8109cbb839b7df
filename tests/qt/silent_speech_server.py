"""A speech server for Orca that makes no sound: Orca logs what it would say, and this swallows it.

Orca speaks messages, such as a program's announcements, only while speech is on, and with
speech on it talks to speech-dispatcher, which stalls on a machine with no sound card. Orca's
settings name this module as its speech server factory (found on PYTHONPATH), so speech is on
and nothing but Orca's own debug log hears it. Orca's base class answers every request.
"""
from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    _server = None

    @staticmethod
    def getFactoryName():
        return "Silent"

    @staticmethod
    def _the_server():
        if SpeechServer._server is None:
            SpeechServer._server = SpeechServer()
        return SpeechServer._server

    @staticmethod
    def getSpeechServers():
        return [SpeechServer._the_server()]

    # Orca 48 spells it get_speech_server, Orca 43 getSpeechServer.
    @staticmethod
    def get_speech_server(info=None):
        return SpeechServer._the_server()

    getSpeechServer = get_speech_server

    def get_info(self):
        return ["Silent", "silent"]

    getInfo = get_info

    def __getattr__(self, name):
        # Whatever else this Orca version asks of a server does nothing.
        return lambda *args, **kwargs: None
